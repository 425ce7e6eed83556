// Text from outside the program (file names, above all) that is meant to be
// UTF-8 but may not be: a Latin-1 or Shift_JIS name on Linux is any bytes.
#pragma once

#include <string>
#include <string_view>

namespace vrx {

// `text` with every byte sequence that is not UTF-8 shown as U+FFFD, one
// for each maximal bad part, as the Unicode standard recommends.
std::string ValidUtf8(std::string_view text);

}  // namespace vrx
