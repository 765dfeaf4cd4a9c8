#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace zelor {
namespace {

const std::vector<unsigned char> kCarried = BodyFileBytes({MakeRecord("Sonne", 332946, 0, 0, 0, 0)});
const std::string kDefault = "/appdata/Zelor2/Voyager.zel";

struct FreshInstall {
  FreshInstall() : settings(store, MakeDefaultPaths("/appdata"), kEnglishLocale) {
    files.folders = {"/appdata"};
  }
  void Ensure() { EnsureDefaultBodyFile(settings, files, kCarried); }
  MemoryStore store;
  Settings settings;
  FakeFileSystem files;
};

TEST(DefaultBodyFile, AFreshInstallGetsTheCarriedCopyInItsOwnFolder) {
  FreshInstall install;
  install.Ensure();
  EXPECT_EQ(install.files.files[kDefault], kCarried);
  EXPECT_EQ(install.files.files.size(), 1u);
  EXPECT_EQ(install.files.folders.count("/appdata/Zelor2"), 1u);
}

TEST(DefaultBodyFile, AnExistingDefaultFileIsLeftAsItIs) {
  FreshInstall install;
  install.files.folders.insert("/appdata/Zelor2");
  install.files.files[kDefault] = {1, 2, 3};
  install.Ensure();
  EXPECT_EQ(install.files.files[kDefault], (std::vector<unsigned char>{1, 2, 3}));
  EXPECT_EQ(install.files.Changes(), 0);
}

TEST(DefaultBodyFile, AFileTheUserChoseIsNeverReplaced) {
  FreshInstall install;
  install.store.values[kKeyDatei] = "/data/Meine.zel";
  install.Ensure();
  EXPECT_EQ(install.files.Changes(), 0);
}

TEST(DefaultBodyFile, TheDefaultWrittenOutLiterallyCountsAsTheDefault) {
  FreshInstall install;
  install.store.values[kKeyDatei] = kDefault;
  install.Ensure();
  EXPECT_TRUE(install.files.Exists(kDefault));
}

TEST(DefaultBodyFile, AFailedWriteLeavesNothingBehind) {
  FreshInstall install;
  install.files.failWriteAt = 1;
  EXPECT_NO_THROW(install.Ensure());
  EXPECT_TRUE(install.files.files.empty());
}

TEST(DefaultBodyFile, ThenTheRunStartsFromIt) {
  SimRun run;
  run.store.values.erase(kKeyDatei);
  run.files.folders = {"/appdata"};
  StartRun(run.state, run.settings, run.files, run.canvas, kCarried);  // it puts the copy in place itself
  ASSERT_EQ(run.state.Bodies.size(), 1u);
  EXPECT_EQ(run.state.Bodies[0].Name, "Sonne          ");
}

}  // namespace
}  // namespace zelor
