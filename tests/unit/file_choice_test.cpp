#include "shell/file_choice.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace zelor {
namespace {

// Answers each showing of the dialog in turn and records its preset.
struct FakeDialog {
  explicit FakeDialog(std::deque<FileDialogResult> given) : answers(std::move(given)) {}
  FileChoice Choose(const std::string& preset) {
    return ChooseFile(
        [this](const std::string& text) {
          presets.push_back(text);
          const FileDialogResult next = answers.front();
          answers.pop_front();
          return next;
        },
        preset);
  }
  std::deque<FileDialogResult> answers;
  std::vector<std::string> presets;
};

TEST(FileChoice, AChoiceOrACancelEndsAtOnce) {
  FakeDialog chosen({{FileDialogEnd::Chosen, "D:\\Neu.zel"}});
  const FileChoice choice = chosen.Choose("C:\\Alt.zel");
  EXPECT_EQ(choice.path, "D:\\Neu.zel");
  EXPECT_FALSE(choice.failed);
  FakeDialog cancelled({{FileDialogEnd::Cancelled, ""}});
  const FileChoice none = cancelled.Choose("C:\\Alt.zel");
  EXPECT_EQ(none.path, std::nullopt);
  EXPECT_FALSE(none.failed);
  EXPECT_EQ(cancelled.presets.size(), 1u);
}

TEST(FileChoice, ARefusedPresetIsTriedOnceMoreWithAnEmptyBox) {
  FakeDialog dialog({{FileDialogEnd::Failed, ""}, {FileDialogEnd::Chosen, "D:\\Neu.zel"}});
  EXPECT_EQ(dialog.Choose("C:\\A|B.zel").path, "D:\\Neu.zel");
  EXPECT_EQ(dialog.presets, (std::vector<std::string>{"C:\\A|B.zel", ""}));
}

TEST(FileChoice, ADialogThatNeverOpensIsReported) {
  FakeDialog twice({{FileDialogEnd::Failed, ""}, {FileDialogEnd::Failed, ""}});
  const FileChoice choice = twice.Choose("C:\\Alt.zel");
  EXPECT_TRUE(choice.failed);
  EXPECT_EQ(choice.path, std::nullopt);
  FakeDialog empty({{FileDialogEnd::Failed, ""}});
  EXPECT_TRUE(empty.Choose("").failed);
  EXPECT_EQ(empty.presets.size(), 1u);
}

}  // namespace
}  // namespace zelor
