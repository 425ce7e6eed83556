#include "config/exchange_support.h"

#include <charconv>
#include <cstdio>

#include "config/code_text.h"
#include "config/config_fields.h"

namespace vrx::exchange {

std::optional<unsigned> ParseHexValue(std::string_view text, unsigned max) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(2);
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 16);
  if (text.empty() || error != std::errc() || stop != end || value > max) return std::nullopt;
  return value;
}

std::string HexValue(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower;
}

std::optional<ImportError> KeyEntries::Begin(std::optional<long> number, int line) {
  index_ = -1;
  if (!number || *number < 1 || *number > kKeyCount)
    return ImportError{ImportProblem::kBadKeyNumber, line, 0, std::string(kKeyMember)};
  index_ = static_cast<int>(*number - 1);
  if (given_[index_]) return Error(ImportProblem::kDuplicateKey, line, kKeyMember);
  given_[index_] = true;
  return std::nullopt;
}

std::optional<ImportError> KeyEntries::CheckPlace(std::string_view member, long value,
                                                  int line) const {
  const long expected = member == kRowMember ? KeyRow(index_) : KeyColumn(index_);
  if (value != expected) return Error(ImportProblem::kWrongPlace, line, member);
  return std::nullopt;
}

std::optional<ImportError> KeyEntries::SetCode(std::string_view member, std::string_view text,
                                               int line) {
  if (!IsValidCodeText(text)) return Error(ImportProblem::kBadCode, line, member);
  KeyEntry& key = image_.keys[static_cast<std::size_t>(index_)];
  (member == kMakeMember ? key.makeCode : key.breakCode) = std::string(text);
  return std::nullopt;
}

void KeyEntries::SetTypematic(bool on) {
  image_.keys[static_cast<std::size_t>(index_)].typematic = on;
}

}  // namespace vrx::exchange
