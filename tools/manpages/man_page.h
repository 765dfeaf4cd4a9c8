// A manual page in roff, the form man(1) reads, from texts in UTF-8.
#pragma once

#include <string>
#include <vector>

namespace zelor::manpages {

// A paragraph of a section; with a term (an option, a file), an entry of a
// list that names the term above its text.
struct Paragraph {
  std::string term;
  std::string text;
};

struct Section {
  std::string heading;
  std::vector<Paragraph> paragraphs;
};

struct ManPage {
  std::string name;     // "zelor2"
  std::string section;  // "6"
  std::string version;  // "Zelor2 1.0", in the page's footer
  std::string summary;  // the line after the name in NAME, what apropos finds
  // The program's own usage text, shown line for line as it prints it.
  std::string usage;
  std::vector<Section> sections;
};

// Text for roff: backslashes, dashes and a leading dot or apostrophe escaped;
// the page is UTF-8 and says so.
std::string RoffText(const std::string& utf8);

std::string RoffPage(const ManPage& page);

}  // namespace zelor::manpages
