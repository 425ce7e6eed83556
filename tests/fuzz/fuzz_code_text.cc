// Code texts: whatever the text, conversion stays within 31 bytes and the
// text, and an accepted text keeps its bytes through the canonical form.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "config/code_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

// Exactly 31 bytes on the heap, so that the address sanitizer sees any write
// beyond them.
std::unique_ptr<uint8_t[]> CodeBuffer() { return std::make_unique<uint8_t[]>(vrx::kMaxCodeBytes); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The text is copied to its own allocation so that reading past it is caught.
  const std::string text(reinterpret_cast<const char*>(data), size);
  const bool valid = vrx::IsValidCodeText(text);

  auto bytes = CodeBuffer();
  const int n = vrx::CodeTextToBytes(text, bytes.get());
  Check(n >= 0 && n <= vrx::kMaxCodeBytes);
  Check((n == 0) == text.empty());

  if (valid) {
    const std::string canonical = vrx::BytesToCodeText(bytes.get(), n);
    Check(vrx::IsValidCodeText(canonical));
    auto again = CodeBuffer();
    Check(vrx::CodeTextToBytes(canonical, again.get()) == n);
    Check(std::equal(bytes.get(), bytes.get() + n, again.get()));
  }

  // Any bytes at all give a canonical text that is accepted.
  const int count = static_cast<int>(std::min<size_t>(size, vrx::kMaxCodeBytes));
  Check(vrx::IsValidCodeText(vrx::BytesToCodeText(data, count)));
  return 0;
}
