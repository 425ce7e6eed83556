// Conversions between the UTF-8 used inside the programs and the Shift_JIS
// (code page 932) bytes in which code texts and data file comments are kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vrx {

// Nothing when the text is not valid UTF-8 or holds a character that code
// page 932 cannot represent.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// A byte sequence that is not valid code page 932 becomes U+FFFD per byte,
// so that whatever a file holds can still be shown.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace vrx
