// The bodies of a file as a table for people: one row a body, in the units
// one thinks in (Earth masses, AU of the screen, km/s, degrees).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "body_rows.h"
#include "common/file_system.h"

namespace zelor::bodies {

std::string FormatBodyTable(const std::vector<BodyRow>& rows);

// The message the saver would show when it refuses the file at the start of
// a run with its default settings; nullopt when it would run it.
std::optional<std::string> SaverRefusal(FileSystem& files, const std::string& path);

}  // namespace zelor::bodies
