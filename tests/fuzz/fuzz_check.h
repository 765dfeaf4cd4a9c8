// What every fuzz target does when a property fails: say which one and stop,
// so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace zelor {

[[noreturn]] inline void FuzzFailure(const char* property) {
  std::fprintf(stderr, "fuzz property broken: %s\n", property);
  std::abort();
}

#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) ::zelor::FuzzFailure(#condition); \
  } while (0)

}  // namespace zelor
