// The key map as CSV: one row per key, the columns named in a header row.
#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

#include "config/config_exchange.h"
#include "config/config_fields.h"
#include "config/exchange_support.h"

namespace vrx {
namespace {

using namespace exchange;

constexpr std::string_view kColumns[] = {kKeyMember,  kRowMember,   kColumnMember,
                                         kMakeMember, kBreakMember, kTypematicMember};
constexpr std::string_view kYes = "yes";
constexpr std::string_view kNo = "no";

std::string Field(std::string_view text) {
  if (text.find_first_of(",\"") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// More fields than this in a line are an error whatever the header says: a
// header with one more than the columns has an unknown or repeated name.
constexpr std::size_t kMaxFields = std::size(kColumns) + 1;

// The fields of one line (RFC 4180 quoting, no line breaks inside a field);
// nothing when a quote is left open or stray, or for more than kMaxFields
// fields (a line of a million commas must not become a million strings).
std::optional<std::vector<std::string>> SplitFields(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
        if (i + 1 < line.size() && line[i + 1] != ',') return std::nullopt;
      }
    } else if (c == ',') {
      if (fields.size() == kMaxFields) return std::nullopt;
      fields.emplace_back();
    } else if (c == '"' && fields.back().empty()) {
      quoted = true;
    } else {
      fields.back() += c;
    }
  }
  if (quoted) return std::nullopt;
  return fields;
}

std::string Trimmed(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return std::string(text.substr(begin, text.find_last_not_of(" \t") - begin + 1));
}

std::optional<long> Number(std::string_view text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> YesNo(const std::string& text) {
  const std::string word = AsciiLower(text);
  if (word == kYes || word == "true" || word == "1") return true;
  if (word == kNo || word == "false" || word == "0") return false;
  return std::nullopt;
}

class CsvImport {
 public:
  explicit CsvImport(ConfigImage& image) : entries_(image) {}

  bool HeaderSeen() const { return !columns_.empty(); }

  std::optional<ImportError> Line(std::string_view text, int line) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (Trimmed(text).empty()) return std::nullopt;
    const auto fields = SplitFields(text);
    if (!fields) return ImportError{ImportProblem::kSyntax, line, 0, {}};
    if (columns_.empty()) return Header(*fields, line);
    if (fields->size() != columns_.size()) return ImportError{ImportProblem::kSyntax, line, 0, {}};
    return Row(*fields, line);
  }

 private:
  std::optional<ImportError> Header(const std::vector<std::string>& fields, int line) {
    for (const std::string& field : fields) {
      const std::string name = AsciiLower(Trimmed(field));
      if (std::find(std::begin(kColumns), std::end(kColumns), name) == std::end(kColumns) ||
          std::find(columns_.begin(), columns_.end(), name) != columns_.end())
        return ImportError{ImportProblem::kUnknownMember, line, 0, name};
      columns_.push_back(name);
    }
    if (std::find(columns_.begin(), columns_.end(), kKeyMember) == columns_.end())
      return ImportError{ImportProblem::kWrongFormat, line, 0, std::string(kKeyMember)};
    return std::nullopt;
  }

  std::optional<ImportError> Row(const std::vector<std::string>& fields, int line) {
    const auto keyColumn = std::find(columns_.begin(), columns_.end(), kKeyMember);
    if (auto error = entries_.Begin(Number(Trimmed(fields[keyColumn - columns_.begin()])), line))
      return error;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const std::string& name = columns_[i];
      // Codes keep their blanks, which the editor's check judges.
      const std::string value =
          name == kMakeMember || name == kBreakMember ? fields[i] : Trimmed(fields[i]);
      std::optional<ImportError> error;
      if (name == kKeyMember) continue;
      if (name == kRowMember || name == kColumnMember) {
        if (value.empty()) continue;  // the key number alone places the key
        const auto number = Number(value);
        if (!number) return entries_.Error(ImportProblem::kBadValue, line, name);
        error = entries_.CheckPlace(name, *number, line);
      } else if (name == kMakeMember || name == kBreakMember) {
        error = entries_.SetCode(name, value, line);
      } else {
        if (value.empty()) continue;  // the base's flag stays
        const auto on = YesNo(value);
        if (!on) return entries_.Error(ImportProblem::kBadValue, line, name);
        entries_.SetTypematic(*on);
      }
      if (error) return error;
    }
    return std::nullopt;
  }

  KeyEntries entries_;
  std::vector<std::string> columns_;
};

}  // namespace

std::string ExportCsv(const ConfigImage& config) {
  const ConfigImage image = AsStored(config);
  std::string out;
  for (std::string_view column : kColumns) out += std::string(out.empty() ? "" : ",") += column;
  out += "\r\n";
  for (int i = 0; i < kKeyCount; ++i) {
    const KeyEntry& key = image.keys[static_cast<std::size_t>(i)];
    out += std::to_string(i + 1) + "," + std::to_string(KeyRow(i)) + "," +
           std::to_string(KeyColumn(i)) + "," + Field(key.makeCode) + "," + Field(key.breakCode) +
           "," + std::string(key.typematic ? kYes : kNo) + "\r\n";
  }
  return out;
}

std::optional<ImportError> ImportCsv(std::string_view text, ConfigImage& image) {
  ConfigImage result = image;
  CsvImport import(result);
  int line = 1;
  for (std::size_t start = 0; start < text.size(); ++line) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (auto error = import.Line(text.substr(start, end - start), line)) return error;
    start = end + 1;
  }
  if (!import.HeaderSeen()) return ImportError{ImportProblem::kWrongFormat, 1, 0, {}};
  image = result;
  return std::nullopt;
}

}  // namespace vrx
