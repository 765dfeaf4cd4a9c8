// One check for each real file system: writing a file safely never touches a
// user's files that happen to carry the names of its temporary file.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/file_system.h"
#include "common/safe_write.h"

namespace zelor {

inline std::string ContentOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void ExpectUsersFilesNamedLikeTheTemporaryOneSurvive(FileSystem& files) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() /
      ("zelor-safe-write-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(folder);
  const fs::path target = folder / "Ergebnis.zel";
  const std::string path = target.string();
  const auto fill = [](OutputFile& out) { return out.Write("neu", 3); };
  for (const int attempt : {0, 1}) std::ofstream(TemporaryPathFor(path, attempt), std::ios::binary) << "meins";
  fs::create_directories(TemporaryPathFor(path, 2));

  EXPECT_TRUE(WriteFileSafely(files, path, fill));
  EXPECT_EQ(ContentOf(target), "neu");

  // The target is now a folder that cannot be replaced: the save fails.
  fs::remove(target);
  fs::create_directories(target / "voll");
  EXPECT_FALSE(WriteFileSafely(files, path, fill));

  for (const int attempt : {0, 1}) EXPECT_EQ(ContentOf(TemporaryPathFor(path, attempt)), "meins") << attempt;
  EXPECT_TRUE(fs::is_directory(TemporaryPathFor(path, 2)));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);  // nothing of ours left
  fs::remove_all(folder);
}

}  // namespace zelor
