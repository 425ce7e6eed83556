// A fuzz target's assertion: a broken promise aborts, so that the fuzzer
// keeps the input that broke it (and the seed replay fails).
#pragma once

#include <cstdlib>

namespace vrx::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace vrx::fuzz
