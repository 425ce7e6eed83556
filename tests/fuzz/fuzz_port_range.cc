// Port ranges (--ports COM1-COM8): whatever the text, an accepted range is
// a run of consecutive COM names within the limit, each one a name the
// range syntax accepts again on its own.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/port_names.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto names = vrx::ExpandPortRange(text);
  if (!names) return 0;
  Check(!names->empty() && names->size() <= static_cast<std::size_t>(vrx::kMaxPortRange));
  const int first = std::atoi(names->front().c_str() + 3);
  for (std::size_t i = 0; i < names->size(); ++i) {
    Check((*names)[i] == "COM" + std::to_string(first + static_cast<int>(i)));
    const auto alone = vrx::ExpandPortRange((*names)[i] + "-" + (*names)[i]);
    Check(alone && alone->size() == 1 && alone->front() == (*names)[i]);
  }
  return 0;
}
