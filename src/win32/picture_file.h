// A picture written as a BMP file. Only the end-to-end tests ask for one:
// under Wine 8 a settings page of another process does not show what the
// preview draws into its window, so they look at the picture the preview
// puts there instead.
#pragma once

#include <cstdint>
#include <string>

namespace zelor::win32 {

// Rows from the top, pixels 0x00RRGGBB. Replaces the file as a whole, so a
// reader never sees half a picture; false when it could not be written.
bool WritePictureFile(const std::wstring& path, int width, int height, const std::uint32_t* pixels);

}  // namespace zelor::win32
