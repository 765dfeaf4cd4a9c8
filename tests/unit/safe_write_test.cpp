#include "disk_write_check.h"
#include "fake_file_system.h"
#ifndef _WIN32
#include "x11/posix_file_system.h"
#endif

namespace zelor {
namespace {

// Windows builds write through their own file system, checked under Wine;
// MinGW's C library knows no exclusive fopen.
#ifndef _WIN32
TEST(SafeWriteOnDisk, AUsersFilesNamedLikeTheTemporaryOneSurvive) {
  StdFileSystem portable;
  ExpectUsersFilesNamedLikeTheTemporaryOneSurvive(portable);
  x11::PosixFileSystem durable;
  ExpectUsersFilesNamedLikeTheTemporaryOneSurvive(durable);
}
#endif

// A save that returned is on the disk: the content is flushed before it
// replaces the old file, so a power cut right after cannot leave an empty
// file in its place. When the flush fails, nothing replaces the old file.
TEST(SafeWrite, ASaveSurvivesAPowerCutAndAFailedFlushKeepsTheOldFile) {
  const FakeFileSystem::Bytes old = {'a', 'l', 't'}, fresh = {'n', 'e', 'u'};
  for (const bool flushFails : {false, true}) {
    SCOPED_TRACE(flushFails ? "flush fails" : "flush works");
    FakeFileSystem files;
    files.files["/data/x.zel"] = old;
    files.failFlushAt = flushFails ? 1 : 0;
    EXPECT_EQ(WriteFileSafely(files, "/data/x.zel", [&](OutputFile& out) { return out.Write(fresh.data(), 3); }),
              !flushFails);
    files.PowerCut();
    EXPECT_EQ(files.files["/data/x.zel"], flushFails ? old : fresh);
    EXPECT_EQ(files.files.size(), 1u);  // no temporary file is left
  }
}

}  // namespace
}  // namespace zelor
