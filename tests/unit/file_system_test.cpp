// Paths as both platforms write them, and the real file system's read cap.
#include "common/file_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace zelor {
namespace {

TEST(Paths, SplitAndJoinOnEitherSeparator) {
  const struct {
    std::string path, folder, name;
  } rows[] = {
      {"/home/anna/Voyager.zel", "/home/anna", "Voyager.zel"},
      {"C:\\Users\\Anna\\Temp.zel", "C:\\Users\\Anna", "Temp.zel"},
      {"/Voyager.zel", "/", "Voyager.zel"},
      {"C:\\Temp.zel", "C:\\", "Temp.zel"},
      {"Voyager.zel", "", "Voyager.zel"},
  };
  for (const auto& row : rows) {
    const PathParts parts = SplitPath(row.path);
    EXPECT_EQ(parts.folder, row.folder) << row.path;
    EXPECT_EQ(parts.name, row.name) << row.path;
    EXPECT_EQ(FolderOf(row.path), row.folder) << row.path;
    EXPECT_EQ(JoinPath(row.folder, row.name), row.path) << row.path;
  }
  EXPECT_EQ(JoinPath("/home/anna/", "x.zel"), "/home/anna/x.zel");
}

// A cap below the file's size, at it and above it, on a file longer than
// one chunk of reading: exactly the bytes up to the cap, in order.
TEST(StdFileSystemRead, GivesTheFileUpToTheCap) {
  namespace fs = std::filesystem;
  const fs::path path = fs::temp_directory_path() /
                        ("zelor-read-cap-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::string content(150000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + i / 251);
  std::ofstream(path, std::ios::binary) << content;
  StdFileSystem files;
  for (const std::size_t cap : {std::size_t{3}, std::size_t{70001}, content.size(), content.size() + 1}) {
    const auto bytes = files.ReadFile(path.string(), cap);
    ASSERT_TRUE(bytes.has_value()) << cap;
    const std::string want = content.substr(0, cap);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), want) << cap;
  }
  EXPECT_FALSE(files.ReadFile((path / "nothing").string(), 10).has_value());
  fs::remove(path);
}

}  // namespace
}  // namespace zelor
