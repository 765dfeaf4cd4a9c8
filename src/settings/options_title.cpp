#include "settings/options_title.h"

#include <cstddef>
#include <vector>

namespace zelor {
namespace {

const std::string kPrefix = "Zelor2 - ";
const std::string kEllipsis = "\xE2\x80\xA6";  // "…"

std::vector<std::string> SplitAt(const std::string& path, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t cut; (cut = path.find(separator, start)) != std::string::npos; start = cut + 1)
    parts.push_back(path.substr(start, cut - start));
  parts.push_back(path.substr(start));
  return parts;
}

// The first `front` and the last `back` parts, joined around "…".
std::string Shortened(const std::vector<std::string>& parts, std::size_t front, std::size_t back, char separator) {
  std::string text;
  for (std::size_t i = 0; i < front; ++i) text += parts[i] + separator;
  text += kEllipsis;
  for (std::size_t i = parts.size() - back; i < parts.size(); ++i) text += separator + parts[i];
  return text;
}

}  // namespace

std::string FitOptionsTitle(const std::string& title, int room, const TextWidth& measure) {
  if (title.compare(0, kPrefix.size(), kPrefix) != 0 || measure(title) <= room) return title;
  const std::string path = title.substr(kPrefix.size());
  const std::size_t last = path.find_last_of("\\/");
  if (last == std::string::npos) return title;  // a bare name: nothing to leave out
  const std::vector<std::string> parts = SplitAt(path, path[last]);
  // Most parts shown first; of as many, more of the end, where the file's own
  // folders are. The first part (the drive) and the name always stay.
  const std::size_t n = parts.size();
  for (std::size_t shown = n - 1; shown >= 2; --shown) {
    for (std::size_t back = shown - 1; back >= 1; --back) {
      const std::string candidate = kPrefix + Shortened(parts, shown - back, back, path[last]);
      if (measure(candidate) <= room) return candidate;
    }
  }
  return kPrefix + kEllipsis + path[last] + parts.back();
}

}  // namespace zelor
