#include "x11/module/ini_store.h"

#include <vector>

#include "common/safe_write.h"

namespace zelor {
namespace {

// A settings file is a few hundred bytes; anything this big is not ours to
// rewrite.
constexpr std::size_t kMaxBytes = 1 << 20;

// Editors on Windows start a UTF-8 file with this mark. It is no part of the
// first line, and a write keeps it.
const std::string kByteOrderMark = "\xEF\xBB\xBF";

bool StartsWithMark(const std::string& content) { return content.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Escaped(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    const bool atAnEnd = i == 0 || i + 1 == value.size();
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c == ' ' && atAnEnd) out += "\\s";  // reading trims blanks
    else out += c;
  }
  return out;
}

// A backslash before any other character stays, so a path typed by hand
// with backslashes mostly reads as meant.
std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : ' ';
    if (text[i] != '\\' || std::string("\\nrts").find(next) == std::string::npos) {
      out += text[i];
      continue;
    }
    ++i;
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next == 's' ? ' ' : '\\';
  }
  return out;
}

std::vector<std::string> Lines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Where the lines stand for the section and a key.
struct KeyPlace {
  int sectionLine = -1;    // the header, -1 without one
  int lastInSection = -1;  // the section's last line that is not blank
  int keyLine = -1;        // the key's first line, -1 without one
  std::string value;       // its text as written
};

KeyPlace Find(const std::vector<std::string>& lines, const std::string& key) {
  KeyPlace place;
  bool inSection = false;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    std::string line = lines[i];
    if (!line.empty() && line.back() == '\r') line.pop_back();  // written on Windows
    const std::string trimmed = Trimmed(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      // A second section of the same name is ignored, as is any other.
      inSection = place.sectionLine < 0 && Trimmed(trimmed.substr(1, trimmed.size() - 2)) == kIniSection;
      if (inSection) place.sectionLine = place.lastInSection = i;
      continue;
    }
    if (!inSection || trimmed.empty()) continue;
    place.lastInSection = i;
    if (trimmed[0] == ';' || trimmed[0] == '#' || place.keyLine >= 0) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || Trimmed(line.substr(0, equals)) != key) continue;
    place.keyLine = i;
    place.value = Trimmed(line.substr(equals + 1));
  }
  return place;
}

}  // namespace

std::optional<std::string> IniStore::Content() {
  if (!files_.IsRegularFile(path_)) return std::string();
  const auto bytes = files_.ReadFile(path_, kMaxBytes + 1);
  if (!bytes || bytes->size() > kMaxBytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

std::optional<std::string> IniStore::Read(const std::string& key) {
  const auto content = Content();
  if (!content) return std::nullopt;
  const std::size_t mark = StartsWithMark(*content) ? kByteOrderMark.size() : 0;
  const KeyPlace place = Find(Lines(content->substr(mark)), key);
  if (place.keyLine < 0) return std::nullopt;
  return Unescaped(place.value);
}

bool IniStore::Write(const std::string& key, const std::string& text) {
  const auto content = Content();
  if (!content) return false;
  const std::string mark = StartsWithMark(*content) ? kByteOrderMark : std::string();
  std::vector<std::string> lines = Lines(content->substr(mark.size()));
  const KeyPlace place = Find(lines, key);
  const std::string line = key + "=" + Escaped(text);
  if (place.keyLine >= 0) {
    lines[place.keyLine] = line;
  } else if (place.sectionLine >= 0) {
    lines.insert(lines.begin() + place.lastInSection + 1, line);
  } else {
    if (!lines.empty()) lines.push_back("");
    lines.push_back("[" + kIniSection + "]");
    lines.push_back(line);
  }
  std::string out = mark;
  for (const std::string& l : lines) out += l + "\n";
  const std::string folder = FolderOf(path_);
  if (!folder.empty()) files_.CreateFolders(folder);
  return WriteFileSafely(files_, path_, [&](OutputFile& file) { return file.Write(out.data(), out.size()); });
}

}  // namespace zelor
