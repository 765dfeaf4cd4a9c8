// The options dialog's title, "Zelor2 - " and the body file's path, fitted to
// the room the title bar has: a long path loses folders from its middle, so
// the file name always shows.
#pragma once

#include <functional>
#include <string>

namespace zelor {

// How wide a text is drawn, in the front end's units (pixels of the title
// bar's font).
using TextWidth = std::function<int(const std::string& utf8)>;

// The title as it stands when it fits `room`; else with folders of the path
// replaced by "…" between the path's first and last parts, as many kept as
// fit, e.g. "Zelor2 - C:\users\…\Voyager.zel". A title that starts otherwise
// is given back as it is. When not even "…" and the file name fit, that is
// the title: the name is never cut.
std::string FitOptionsTitle(const std::string& title, int room, const TextWidth& measure);

}  // namespace zelor
