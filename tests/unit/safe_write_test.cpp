#include "disk_write_check.h"

namespace zelor {
namespace {

TEST(SafeWriteOnDisk, AUsersFilesNamedLikeTheTemporaryOneSurvive) {
  StdFileSystem files;
  ExpectUsersFilesNamedLikeTheTemporaryOneSurvive(files);
}

}  // namespace
}  // namespace zelor
