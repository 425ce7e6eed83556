// A configuration exchanged with other programs and with people: JSON holds
// everything a data file holds, CSV the key map only.  Imports refuse the
// whole input at its first bad entry and say where it is.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_image.h"

namespace vrx {

enum class ExchangeFormat { kJson, kCsv };

// The format a file name's extension names (".json", ".csv", any case).
std::optional<ExchangeFormat> ExchangeFormatOfPath(std::string_view path);
// "json" or "csv".
std::optional<ExchangeFormat> ExchangeFormatNamed(std::string_view name);

// Import files above this size are refused before they are read: an export
// of a full configuration is about 50 KB.  Documented in docs/exchange.md.
inline constexpr std::size_t kImportFileLimit = 4 * 1024 * 1024;

// The JSON schema's version this program writes and the newest it reads.
inline constexpr int kJsonSchemaVersion = 1;
inline constexpr std::string_view kJsonFormatName = "VRX7100 data file";

std::string ExportJson(const ConfigImage& image);
std::string ExportCsv(const ConfigImage& image);

enum class ImportProblem {
  kSyntax,         // not well-formed JSON or CSV
  kWrongFormat,    // not this format, or no version
  kNewerVersion,   // written for a newer schema version
  kUnknownMember,  // a member or column the schema lacks
  kBadValue,       // wrong kind of value, or out of range
  kBadCode,        // a code text the editor would refuse
  kBadKeyNumber,   // no key number, or one outside 1..128
  kDuplicateKey,   // the same key given twice
  kWrongPlace,     // row or column not the key number's
};

struct ImportError {
  ImportProblem problem;
  int line = 0;        // 1-based line of the input; 0 when unknown
  int keyNumber = 0;   // 1..128 when the entry belongs to a key
  std::string member;  // the member or column, when there is one
};

// Lays what `text` gives over `image` (the base: what the input does not
// give stays as it is).  On an error `image` is unchanged.
std::optional<ImportError> ImportJson(std::string_view text, ConfigImage& image);
std::optional<ImportError> ImportCsv(std::string_view text, ConfigImage& image);
std::optional<ImportError> ImportConfig(ExchangeFormat format, std::string_view text,
                                        ConfigImage& image);
std::string ExportConfig(ExchangeFormat format, const ConfigImage& image);

}  // namespace vrx
