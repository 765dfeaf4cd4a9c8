#include "man_page.h"

#include <sstream>

namespace zelor::manpages {

std::string RoffText(const std::string& utf8) {
  std::string roff;
  bool lineStart = true;
  for (const char c : utf8) {
    // A dot or an apostrophe at a line's start would be read as a request.
    if (lineStart && (c == '.' || c == '\'')) roff += "\\&";
    if (c == '\\') roff += "\\e";
    else if (c == '-') roff += "\\-";  // an ASCII minus, as typed, not a hyphen
    else roff += c;
    lineStart = c == '\n';
  }
  return roff;
}

std::string RoffPage(const ManPage& page) {
  std::ostringstream roff;
  // The coding line tells man the page is UTF-8; no hyphenation, since a
  // broken path or option could not be typed as shown.
  roff << "'\\\" -*- coding: UTF-8 -*-\n"
       << ".TH " << RoffText(page.name) << ' ' << page.section << " \"\" \"" << RoffText(page.version)
       << "\" \"" << RoffText(page.version.substr(0, page.version.find(' '))) << "\"\n.nh\n"
       << ".SH NAME\n" << RoffText(page.name) << " \\- " << RoffText(page.summary) << "\n"
       << ".SH " << RoffText("\xC3\x9C" "BERSICHT") << "\n.nf\n" << RoffText(page.usage) << ".fi\n";
  for (const Section& section : page.sections) {
    roff << ".SH " << RoffText(section.heading) << "\n";
    for (const Paragraph& paragraph : section.paragraphs) {
      if (paragraph.term.empty()) roff << ".PP\n";
      else roff << ".TP\n.B " << RoffText(paragraph.term) << "\n";
      roff << RoffText(paragraph.text) << "\n";
    }
  }
  return roff.str();
}

}  // namespace zelor::manpages
