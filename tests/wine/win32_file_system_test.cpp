// The Windows file system under Wine: exclusive creation by CREATE_NEW.
#include "win32/win32_file_system.h"
#include "unit/disk_write_check.h"

namespace zelor::win32 {
namespace {

TEST(Win32FileSystemTest, AUsersFilesNamedLikeTheTemporaryOneSurvive) {
  Win32FileSystem files;
  ExpectUsersFilesNamedLikeTheTemporaryOneSurvive(files);
}

}  // namespace
}  // namespace zelor::win32
