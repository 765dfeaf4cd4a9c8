#include "disk_write_check.h"

namespace zelor {
namespace {

// Windows builds write through their own file system, checked under Wine;
// MinGW's C library knows no exclusive fopen.
#ifndef _WIN32
TEST(SafeWriteOnDisk, AUsersFilesNamedLikeTheTemporaryOneSurvive) {
  StdFileSystem files;
  ExpectUsersFilesNamedLikeTheTemporaryOneSurvive(files);
}
#endif

}  // namespace
}  // namespace zelor
