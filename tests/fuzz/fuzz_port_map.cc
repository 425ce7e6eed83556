// The port map's parser on arbitrary text: every entry is a clean,
// upper-case name with a path, and each name leads to its path.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/port_names.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool Clean(std::string_view text) {
  return !text.empty() && !Blank(text.front()) && !Blank(text.back()) &&
         text.find_first_of("#\n") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto map = vrx::ParsePortMap(text);
  Check(map.size() <= size / 3 + 1);  // "A=b" at least for each entry
  for (const auto& [name, path] : map) {
    Check(Clean(name) && Clean(path));
    Check(name.find('=') == std::string::npos);
    for (char c : name) Check(std::islower(static_cast<unsigned char>(c)) == 0);
    if (name.front() != '/') Check(vrx::ResolvePortName(name, map, {}) == path);
  }
  return 0;
}
