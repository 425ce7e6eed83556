// UTF-8 inside the programs, UTF-16 at the Windows API.
#pragma once

#include <string>
#include <string_view>

namespace vrx {

// Invalid UTF-8 sequences become U+FFFD.
std::wstring WidenUtf8(std::string_view utf8);
std::string NarrowToUtf8(std::wstring_view wide);

}  // namespace vrx
