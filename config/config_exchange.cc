#include "config/config_exchange.h"

#include <algorithm>

#include "config/exchange_support.h"

namespace vrx {
std::optional<ExchangeFormat> ExchangeFormatNamed(std::string_view name) {
  if (exchange::AsciiLower(name) == "json") return ExchangeFormat::kJson;
  if (exchange::AsciiLower(name) == "csv") return ExchangeFormat::kCsv;
  return std::nullopt;
}

std::optional<ExchangeFormat> ExchangeFormatOfPath(std::string_view path) {
  const auto dot = path.rfind('.');
  const auto slash = path.find_last_of("/\\");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::nullopt;
  return ExchangeFormatNamed(path.substr(dot + 1));
}

std::optional<ImportError> ImportConfig(ExchangeFormat format, std::string_view text,
                                        ConfigImage& image) {
  return format == ExchangeFormat::kJson ? ImportJson(text, image) : ImportCsv(text, image);
}

std::string ExportConfig(ExchangeFormat format, const ConfigImage& image) {
  return format == ExchangeFormat::kJson ? ExportJson(image) : ExportCsv(image);
}

}  // namespace vrx
