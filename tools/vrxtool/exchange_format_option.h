// The --format option of export and import: json or csv, or else the one
// the file name's extension names.
#pragma once

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "config/config_exchange.h"

namespace vrxtool {

inline void AddFormatOption(CLI::App& sub, std::string& format) {
  sub.add_option("--format", format, "json or csv (default: from the file name's extension)")
      ->check(CLI::IsMember({"json", "csv"}, CLI::ignore_case));
}

// The format asked for, else the one `path` names; nothing for neither.
inline std::optional<vrx::ExchangeFormat> ChosenFormat(const std::string& format,
                                                       const std::string& path) {
  if (!format.empty()) return vrx::ExchangeFormatNamed(format);
  return vrx::ExchangeFormatOfPath(path);
}

}  // namespace vrxtool
