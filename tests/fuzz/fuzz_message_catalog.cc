// Catalogs: whatever the bytes, parsing neither reads outside them nor
// accepts an entry it cannot look up again, and every text found lies
// within the bytes' own length.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "resources/message_catalog.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto catalog = vrx::MessageCatalog::Parse(bytes);
  if (!catalog) return 0;
  Check(size <= vrx::MessageCatalog::kMaxBytes);
  // Each of the first sources the input names as a plain string is found
  // with a translation no longer than the input.
  for (std::size_t start = 0; start + 1 < size && start < 4096; start += 7) {
    const std::string_view probe(bytes.data() + start, std::min<std::size_t>(size - start, 12));
    if (const auto found = catalog->Find(probe)) Check(found->size() < size);
  }
  Check(catalog->size() <= size / 8);
  return 0;
}
