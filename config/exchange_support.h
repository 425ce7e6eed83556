// Pieces the JSON and CSV importers share.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/config_exchange.h"

namespace vrx::exchange {

// "0x0F" or "0F": a value of at most `max`; nothing for anything else.
std::optional<unsigned> ParseHexValue(std::string_view text, unsigned max);
// The "0x%0*X" form ParseHexValue reads, with `digits` digits.
std::string HexValue(unsigned value, int digits);

std::string AsciiLower(std::string_view text);

// Collects the keys an input gives, so that each key is given once and its
// codes pass the editor's check.
class KeyEntries {
 public:
  explicit KeyEntries(ConfigImage& image) : image_(image) {}

  // Starts the entry of key `number` (1..128), given on `line`.
  std::optional<ImportError> Begin(std::optional<long> number, int line);
  // The row or column given for the current key, checked against its number.
  std::optional<ImportError> CheckPlace(std::string_view member, long value, int line) const;
  // A make or break text for the current key.
  std::optional<ImportError> SetCode(std::string_view member, std::string_view text, int line);
  void SetTypematic(bool on);
  int KeyNumber() const { return index_ + 1; }

  ImportError Error(ImportProblem problem, int line, std::string_view member = {}) const {
    return {problem, line, KeyNumber(), std::string(member)};
  }

 private:
  ConfigImage& image_;
  int index_ = -1;
  bool given_[kKeyCount] = {};
};

inline constexpr std::string_view kKeyMember = "key";
inline constexpr std::string_view kRowMember = "row";
inline constexpr std::string_view kColumnMember = "column";
inline constexpr std::string_view kMakeMember = "make";
inline constexpr std::string_view kBreakMember = "break";
inline constexpr std::string_view kTypematicMember = "typematic";

}  // namespace vrx::exchange
