// Blank trimming for the small line-based settings files (profile, port
// mapping).
#pragma once

#include <string_view>

namespace vrx {

// `text` without spaces, tabs and carriage returns at either end.
inline std::string_view TrimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace vrx
