// What the processor and the operating system together allow: a vector unit
// only counts when the system also saves its registers on a thread switch.
#pragma once

namespace zelor {

struct CpuFeatures {
  bool sse2 = false;
  bool avx2 = false;
  bool avx512f = false;
};

// Asked once; the answer does not change while the program runs.
const CpuFeatures& DetectCpuFeatures();

}  // namespace zelor
