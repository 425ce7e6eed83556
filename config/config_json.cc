// The JSON form of a configuration (schema in docs/exchange.md).
#include <nlohmann/json.hpp>

#include <iterator>
#include <map>

#include "config/bit_rate.h"
#include "config/brr_value.h"
#include "config/config_exchange.h"
#include "config/config_fields.h"
#include "config/exchange_support.h"

namespace vrx {
namespace {

using nlohmann::json;
using namespace exchange;

constexpr std::string_view kFormatMember = "format";
constexpr std::string_view kVersionMember = "version";
constexpr std::string_view kOptionsMember = "options";
constexpr std::string_view kSpeedMember = "speed";
constexpr std::string_view kBrrMember = "brrValue";
constexpr std::string_view kOutputsMember = "outputs";
constexpr std::string_view kCharactersMember = "characters";
constexpr std::string_view kKeysMember = "keys";
constexpr std::string_view kOtherBitsMember = "otherBits";

std::string Quoted(std::string_view text) { return json(text).dump(); }

std::string PoName(int pin) { return "PO" + std::to_string(pin); }

// A row as dot art, or as its byte when bits 5..7 are set (art cannot show
// them, and they must survive the round trip).
std::string RowText(uint8_t row) {
  if ((row & ~kCgramDotBits) != 0) return HexValue(row, 2);
  char art[kCgramDots + 1];
  return std::string(CgramRowArt(row, art));
}

// ---- reading, with the line of every value ------------------------------

// Counts lines as nlohmann's parser takes characters, so that each parse
// event can be given the line of the last character the parser took (for a
// number that is the character after it, whose line is the number's own).
struct LineCount {
  int line = 1;
  bool afterNewline = false;
};

class CountingIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIterator() = default;
  CountingIterator(const char* at, LineCount* count) : at_(at), count_(count) {}
  reference operator*() const { return *at_; }
  CountingIterator& operator++() {
    if (count_->afterNewline) ++count_->line;
    count_->afterNewline = *at_ == '\n';
    ++at_;
    return *this;
  }
  CountingIterator operator++(int) {
    CountingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const CountingIterator& other) const { return at_ == other.at_; }

 private:
  const char* at_ = nullptr;
  LineCount* count_ = nullptr;
};

// Line of each value by its JSON pointer ("/keys/3/make").
using LineMap = std::map<std::string, int>;

class LineRecorder {
 public:
  explicit LineRecorder(const LineCount& count, LineMap& lines) : count_(count), lines_(lines) {}

  bool operator()(int, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start:
      case json::parse_event_t::array_start:
        frames_.push_back({BeginValue(), event == json::parse_event_t::array_start, -1, {}});
        break;
      case json::parse_event_t::key:
        if (!frames_.empty()) frames_.back().key = parsed.get<std::string>();
        break;
      case json::parse_event_t::value:
        BeginValue();
        break;
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        if (!frames_.empty()) frames_.pop_back();
        break;
    }
    return true;
  }

 private:
  struct Frame {
    json::json_pointer path;
    bool array;
    int index = -1;
    std::string key;
  };

  json::json_pointer BeginValue() {
    json::json_pointer path;
    if (!frames_.empty()) {
      Frame& parent = frames_.back();
      path = parent.array ? parent.path / static_cast<std::size_t>(++parent.index)
                          : parent.path / parent.key;
    }
    lines_[path.to_string()] = count_.line;
    return path;
  }

  const LineCount& count_;
  LineMap& lines_;
  std::vector<Frame> frames_;
};

class JsonImport {
 public:
  JsonImport(const LineMap& lines, ConfigImage& image) : lines_(lines), image_(image) {}

  std::optional<ImportError> Run(const json& root) {
    if (!root.is_object()) return Error(ImportProblem::kWrongFormat, "");
    if (auto error = CheckHeader(root)) return error;
    for (const auto& [name, value] : root.items()) {
      const std::string path = "/" + name;
      std::optional<ImportError> error;
      if (name == kFormatMember || name == kVersionMember) continue;
      if (name == kOptionsMember)
        error = Options(value, path);
      else if (name == kSpeedMember)
        error = Speed(value, path);
      else if (name == kBrrMember)
        error = Brr(value, path);
      else if (name == kOutputsMember)
        error = Outputs(value, path);
      else if (name == kCharactersMember)
        error = Characters(value, path);
      else if (name == kKeysMember)
        error = Keys(value, path);
      else
        error = Error(ImportProblem::kUnknownMember, path, name);
      if (error) return error;
    }
    if (root.contains(kSpeedMember) && root.contains(kBrrMember))
      return Error(ImportProblem::kBadValue, "/" + std::string(kBrrMember), kBrrMember);
    return std::nullopt;
  }

 private:
  int LineOf(const std::string& path) const {
    const auto found = lines_.find(path);
    return found == lines_.end() ? 0 : found->second;
  }
  ImportError Error(ImportProblem problem, const std::string& path,
                    std::string_view member = {}) const {
    return {problem, LineOf(path), 0, std::string(member)};
  }

  std::optional<ImportError> CheckHeader(const json& root) const {
    const auto format = root.find(kFormatMember);
    if (format == root.end() || *format != kJsonFormatName)
      return Error(ImportProblem::kWrongFormat, format == root.end() ? "" : "/format",
                   kFormatMember);
    const auto version = root.find(kVersionMember);
    if (version == root.end() || !version->is_number_integer() || *version < 1)
      return Error(ImportProblem::kWrongFormat, version == root.end() ? "" : "/version",
                   kVersionMember);
    if (*version > kJsonSchemaVersion)
      return Error(ImportProblem::kNewerVersion, "/version", kVersionMember);
    return std::nullopt;
  }

  // A hex string of at most `max` with no bit of `reserved` set.
  std::optional<unsigned> Bits(const json& value, unsigned max, unsigned reserved) const {
    if (!value.is_string()) return std::nullopt;
    const auto bits = ParseHexValue(value.get<std::string>(), max);
    if (!bits || (*bits & reserved) != 0) return std::nullopt;
    return bits;
  }

  std::optional<ImportError> Options(const json& options, const std::string& path) {
    if (!options.is_object()) return Error(ImportProblem::kBadValue, path, kOptionsMember);
    for (const auto& [name, value] : options.items()) {
      const std::string memberPath = path + "/" + name;
      if (name == kOtherBitsMember) {
        const auto bits = Bits(value, 0xFFFF, kNamedOptionBits);
        if (!bits) return Error(ImportProblem::kBadValue, memberPath, name);
        image_.optionWord = static_cast<uint16_t>((image_.optionWord & kNamedOptionBits) | *bits);
        continue;
      }
      // A structured binding is captured by name only from clang 16 on.
      const auto flag =
          std::find_if(kOptionFlags.begin(), kOptionFlags.end(),
                       [&wanted = name](const OptionFlag& f) { return f.name == wanted; });
      if (flag == kOptionFlags.end()) return Error(ImportProblem::kUnknownMember, memberPath, name);
      if (!value.is_boolean()) return Error(ImportProblem::kBadValue, memberPath, name);
      image_.optionWord = static_cast<uint16_t>(
          value.get<bool>() ? image_.optionWord | flag->mask : image_.optionWord & ~flag->mask);
    }
    return std::nullopt;
  }

  std::optional<ImportError> Speed(const json& speed, const std::string& path) {
    for (int index = 0; speed.is_number_integer() && BitRateForSpeedIndex(index) != 0; ++index) {
      if (speed == BitRateForSpeedIndex(index)) {
        image_.brrValue = BrrValueForSpeedIndex(index);
        return std::nullopt;
      }
    }
    return Error(ImportProblem::kBadValue, path, kSpeedMember);
  }

  std::optional<ImportError> Brr(const json& brr, const std::string& path) {
    const auto value = Bits(brr, 0xFF, 0);
    if (!value) return Error(ImportProblem::kBadValue, path, kBrrMember);
    image_.brrValue = static_cast<uint8_t>(*value);
    return std::nullopt;
  }

  std::optional<ImportError> Outputs(const json& outputs, const std::string& path) {
    if (!outputs.is_object()) return Error(ImportProblem::kBadValue, path, kOutputsMember);
    for (const auto& [name, value] : outputs.items()) {
      const std::string memberPath = path + "/" + name;
      if (name == kOtherBitsMember) {
        const auto bits = Bits(value, 0xFF, kPoPinBits);
        if (!bits) return Error(ImportProblem::kBadValue, memberPath, name);
        image_.poInitial = static_cast<uint8_t>((image_.poInitial & kPoPinBits) | *bits);
        continue;
      }
      int pin = kFirstPoPin;
      while (pin <= kLastPoPin && PoName(pin) != name) ++pin;
      if (pin > kLastPoPin) return Error(ImportProblem::kUnknownMember, memberPath, name);
      if (!value.is_boolean()) return Error(ImportProblem::kBadValue, memberPath, name);
      const auto mask = static_cast<uint8_t>(1u << pin);
      image_.poInitial = static_cast<uint8_t>(value.get<bool>() ? image_.poInitial | mask
                                                                : image_.poInitial & ~mask);
    }
    return std::nullopt;
  }

  std::optional<ImportError> Characters(const json& characters, const std::string& path) {
    if (!characters.is_array() || characters.size() != kCgramCharacters)
      return Error(ImportProblem::kBadValue, path, kCharactersMember);
    for (int c = 0; c < kCgramCharacters; ++c) {
      const json& rows = characters[static_cast<std::size_t>(c)];
      const std::string charPath = path + "/" + std::to_string(c);
      if (!rows.is_array() || rows.size() != kCgramRows)
        return Error(ImportProblem::kBadValue, charPath, kCharactersMember);
      for (int r = 0; r < kCgramRows; ++r) {
        const std::string rowPath = charPath + "/" + std::to_string(r);
        const auto row = Row(rows[static_cast<std::size_t>(r)]);
        if (!row) return Error(ImportProblem::kBadValue, rowPath, kCharactersMember);
        image_.cgram[static_cast<std::size_t>(kCgramRows * c + r)] = *row;
      }
    }
    return std::nullopt;
  }

  static std::optional<uint8_t> Row(const json& value) {
    if (!value.is_string()) return std::nullopt;
    const std::string text = value.get<std::string>();
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) {
      const auto byte = ParseHexValue(text, 0xFF);
      return byte ? std::optional<uint8_t>(static_cast<uint8_t>(*byte)) : std::nullopt;
    }
    if (text.size() != kCgramDots) return std::nullopt;
    uint8_t row = 0;
    for (char dot : text) {
      if (dot != kDotOn && dot != kDotOff) return std::nullopt;
      row = static_cast<uint8_t>((row << 1) | (dot == kDotOn ? 1 : 0));
    }
    return row;
  }

  std::optional<ImportError> Keys(const json& keys, const std::string& path) {
    if (!keys.is_array()) return Error(ImportProblem::kBadValue, path, kKeysMember);
    KeyEntries entries(image_);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const json& key = keys[i];
      const std::string keyPath = path + "/" + std::to_string(i);
      const auto number = key.is_object() ? key.find(kKeyMember) : key.end();
      std::optional<long> keyNumber;
      if (key.is_object() && number != key.end() && number->is_number_integer())
        keyNumber = number->get<long>();
      if (auto error = entries.Begin(keyNumber, LineOf(keyPath))) return error;
      for (const auto& [name, value] : key.items()) {
        const std::string memberPath = keyPath + "/" + name;
        const int line = LineOf(memberPath);
        std::optional<ImportError> error;
        if (name == kKeyMember) continue;
        if (name == kRowMember || name == kColumnMember) {
          if (!value.is_number_integer())
            return entries.Error(ImportProblem::kBadValue, line, name);
          error = entries.CheckPlace(name, value.get<long>(), line);
        } else if (name == kMakeMember || name == kBreakMember) {
          if (!value.is_string()) return entries.Error(ImportProblem::kBadCode, line, name);
          error = entries.SetCode(name, value.get<std::string>(), line);
        } else if (name == kTypematicMember) {
          if (!value.is_boolean()) return entries.Error(ImportProblem::kBadValue, line, name);
          entries.SetTypematic(value.get<bool>());
        } else {
          error = entries.Error(ImportProblem::kUnknownMember, line, name);
        }
        if (error) return error;
      }
    }
    return std::nullopt;
  }

  const LineMap& lines_;
  ConfigImage& image_;
};

}  // namespace

std::string ExportJson(const ConfigImage& config) {
  const ConfigImage image = AsStored(config);
  std::string out = "{\n";
  out += "  " + Quoted(kFormatMember) + ": " + Quoted(kJsonFormatName) + ",\n";
  out += "  " + Quoted(kVersionMember) + ": " + std::to_string(kJsonSchemaVersion) + ",\n";

  out += "  " + Quoted(kOptionsMember) + ": {\n";
  for (const OptionFlag& flag : kOptionFlags)
    out += "    " + Quoted(flag.name) + ": " +
           ((image.optionWord & flag.mask) != 0 ? "true" : "false") + ",\n";
  out += "    " + Quoted(kOtherBitsMember) + ": " +
         Quoted(HexValue(image.optionWord & ~kNamedOptionBits & 0xFFFFu, 4)) + "\n  },\n";

  if (const auto index = SpeedIndexForBrrValue(image.brrValue))
    out +=
        "  " + Quoted(kSpeedMember) + ": " + std::to_string(BitRateForSpeedIndex(*index)) + ",\n";
  else
    out += "  " + Quoted(kBrrMember) + ": " + Quoted(HexValue(image.brrValue, 2)) + ",\n";

  out += "  " + Quoted(kOutputsMember) + ": {";
  for (int pin = kFirstPoPin; pin <= kLastPoPin; ++pin)
    out += Quoted(PoName(pin)) + ": " + (((image.poInitial >> pin) & 1) != 0 ? "true" : "false") +
           ", ";
  out += Quoted(kOtherBitsMember) + ": " +
         Quoted(HexValue(image.poInitial & ~kPoPinBits & 0xFFu, 2)) + "},\n";

  out += "  " + Quoted(kCharactersMember) + ": [\n";
  for (int c = 0; c < kCgramCharacters; ++c) {
    out += "    [";
    for (int r = 0; r < kCgramRows; ++r)
      out += (r > 0 ? ", " : "") +
             Quoted(RowText(image.cgram[static_cast<std::size_t>(kCgramRows * c + r)]));
    out += c + 1 < kCgramCharacters ? "],\n" : "]\n";
  }
  out += "  ],\n";

  out += "  " + Quoted(kKeysMember) + ": [\n";
  for (int i = 0; i < kKeyCount; ++i) {
    const KeyEntry& key = image.keys[static_cast<std::size_t>(i)];
    out += "    {" + Quoted(kKeyMember) + ": " + std::to_string(i + 1) + ", " + Quoted(kRowMember) +
           ": " + std::to_string(KeyRow(i)) + ", " + Quoted(kColumnMember) + ": " +
           std::to_string(KeyColumn(i)) + ", " + Quoted(kTypematicMember) + ": " +
           (key.typematic ? "true" : "false") + ", " + Quoted(kMakeMember) + ": " +
           Quoted(key.makeCode) + ", " + Quoted(kBreakMember) + ": " + Quoted(key.breakCode) +
           (i + 1 < kKeyCount ? "},\n" : "}\n");
  }
  out += "  ]\n}\n";
  return out;
}

std::optional<ImportError> ImportJson(std::string_view text, ConfigImage& image) {
  LineCount count;
  LineMap lines;
  json root;
  try {
    root = json::parse(CountingIterator(text.data(), &count),
                       CountingIterator(text.data() + text.size(), &count),
                       LineRecorder(count, lines));
  } catch (const json::exception&) {
    return ImportError{ImportProblem::kSyntax, count.line, 0, {}};
  }
  ConfigImage result = image;
  if (auto error = JsonImport(lines, result).Run(root)) return error;
  image = result;
  return std::nullopt;
}

}  // namespace vrx
