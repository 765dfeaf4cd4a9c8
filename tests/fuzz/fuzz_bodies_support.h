// What the fuzz targets of the body tool share: its commands run on an
// in-memory disk with the console silenced, inputs cut into words, and the
// check that a refused command left every file as it was.
#pragma once

#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "commands.h"
#include "fake_file_system.h"
#include "fuzz_check.h"

namespace zelor::bodies {

// Millions of runs would otherwise fill the log with the tool's messages; an
// empty standard input makes "-" read as an empty file instead of waiting.
inline void SilenceConsole() {
  // Takes every character and keeps none.
  struct Discard : std::streambuf {
    int overflow(int c) override { return traits_type::not_eof(c); }
  };
  static Discard sink;
  static std::istringstream empty;
  std::cout.rdbuf(&sink);
  std::cerr.rdbuf(&sink);
  std::cin.rdbuf(empty.rdbuf());
}

// The pieces of the input between NUL bytes.
inline std::vector<std::string> WordsOf(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) words.emplace_back();
    else words.back() += static_cast<char>(data[i]);
  }
  return words;
}

// Runs the command; a refusal or a usage error must leave the disk exactly
// as it was: no file written, replaced, removed or left behind half-done.
inline int RunChecked(FakeFileSystem& files, const Words& words) {
  const auto before = files.files;
  const int status = RunCommand(files, words);
  FUZZ_CHECK(status == kDone || status == kRefused || status == kUsage);
  if (status != kDone) FUZZ_CHECK(files.files == before);
  return status;
}

}  // namespace zelor::bodies
