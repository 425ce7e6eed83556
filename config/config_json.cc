// The JSON form of a configuration (schema in docs/exchange.md).
#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

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

// What an import file may hold.  The format itself needs three levels of
// arrays and objects (root, "keys", one key) and about 1,000 values for a
// full configuration; with these margins every error a user can make is
// reported as before, while a hostile file can make the reader neither
// nest without end nor hold more than a few hundred kilobytes of values
// besides its own text.
constexpr int kMaxNesting = 4;
constexpr std::size_t kMaxValues = 4096;

// Parsed in document order, so that a value's place in a walk of the tree
// is its place in the file.
using Document = nlohmann::ordered_json;

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

// Thrown out of the parser for a file this format cannot be (too deep, too
// many values, a member given twice).
struct Refused {
  ImportError error;
};

// The line where each value starts, in document order: one number per
// value, found again by the value's place in a walk of the tree (Place).
class LineRecorder {
 public:
  LineRecorder(const LineCount& count, std::vector<int>& lines) : count_(count), lines_(lines) {}

  bool operator()(int, Document::parse_event_t event, Document& parsed) {
    switch (event) {
      case Document::parse_event_t::object_start:
      case Document::parse_event_t::array_start:
        Entry();
        if (static_cast<int>(frames_.size()) == kMaxNesting) Refuse();
        frames_.emplace_back();
        break;
      case Document::parse_event_t::key:
        // Checked here, before nlohmann's ordered map looks for the name:
        // that search is linear in the members already there.
        if (!frames_.empty()) {
          Frame& frame = frames_.back();
          const std::string& name = parsed.get_ref<const std::string&>();
          if (std::find(frame.names.begin(), frame.names.end(), name) != frame.names.end())
            throw Refused{{ImportProblem::kSyntax, count_.line, 0, name}};
          frame.names.push_back(name);
          if (frames_.size() == 1) rootMember_ = name;
        }
        break;
      case Document::parse_event_t::value:
        Entry();
        break;
      case Document::parse_event_t::object_end:
      case Document::parse_event_t::array_end:
        if (!frames_.empty()) frames_.pop_back();
        break;
    }
    return true;
  }

 private:
  struct Frame {
    std::vector<std::string> names;  // of an object's members so far
  };

  void Entry() {
    if (lines_.size() == kMaxValues) Refuse();
    lines_.push_back(count_.line);
  }

  // Named after the member of the root it is in; a root that is no object
  // is not this format at all.
  [[noreturn]] void Refuse() const {
    if (rootMember_.empty()) throw Refused{{ImportProblem::kWrongFormat, 0, 0, {}}};
    throw Refused{{ImportProblem::kSyntax, count_.line, 0, rootMember_}};
  }

  const LineCount& count_;
  std::vector<int>& lines_;
  std::vector<Frame> frames_;
  std::string rootMember_;
};

// How many values `value` is made of, itself included.
std::size_t ValueCount(const Document& value) {
  std::size_t count = 1;
  if (value.is_structured())
    for (const Document& child : value) count += ValueCount(child);
  return count;
}

// A value with its place in document order, which gives its line.
struct Placed {
  const Document& value;
  std::size_t place;
};

// The members or elements of a container, each with its place; the name is
// empty for an array's elements.
std::vector<std::pair<std::string, Placed>> Children(const Placed& parent) {
  std::vector<std::pair<std::string, Placed>> children;
  std::size_t place = parent.place + 1;
  if (parent.value.is_object()) {
    for (const auto& [name, value] : parent.value.items()) {
      children.push_back({name, Placed{value, place}});
      place += ValueCount(value);
    }
  } else if (parent.value.is_array()) {
    for (const Document& value : parent.value) {
      children.push_back({std::string(), Placed{value, place}});
      place += ValueCount(value);
    }
  }
  return children;
}

class JsonImport {
 public:
  JsonImport(const std::vector<int>& lines, ConfigImage& image) : lines_(lines), image_(image) {}

  std::optional<ImportError> Run(const Document& root) {
    if (!root.is_object()) return Error(ImportProblem::kWrongFormat, 0);
    const auto members = Children({root, 0});
    if (auto error = CheckHeader(members)) return error;
    bool speedGiven = false;
    std::optional<std::size_t> brrPlace;
    for (const auto& [name, member] : members) {
      std::optional<ImportError> error;
      if (name == kFormatMember || name == kVersionMember) continue;
      if (name == kOptionsMember) {
        error = Options(member);
      } else if (name == kSpeedMember) {
        speedGiven = true;
        error = Speed(member);
      } else if (name == kBrrMember) {
        brrPlace = member.place;
        error = Brr(member);
      } else if (name == kOutputsMember) {
        error = Outputs(member);
      } else if (name == kCharactersMember) {
        error = Characters(member);
      } else if (name == kKeysMember) {
        error = Keys(member);
      } else {
        error = Error(ImportProblem::kUnknownMember, member.place, name);
      }
      if (error) return error;
    }
    if (speedGiven && brrPlace) return Error(ImportProblem::kBadValue, *brrPlace, kBrrMember);
    return std::nullopt;
  }

 private:
  int LineOf(std::size_t place) const { return place < lines_.size() ? lines_[place] : 0; }
  ImportError Error(ImportProblem problem, std::size_t place, std::string_view member = {}) const {
    return {problem, LineOf(place), 0, std::string(member)};
  }

  using Members = std::vector<std::pair<std::string, Placed>>;

  static const Placed* Find(const Members& members, std::string_view name) {
    for (const auto& [memberName, member] : members)
      if (memberName == name) return &member;
    return nullptr;
  }

  std::optional<ImportError> CheckHeader(const Members& root) const {
    const Placed* format = Find(root, kFormatMember);
    if (format == nullptr || format->value != kJsonFormatName)
      return Error(ImportProblem::kWrongFormat, format ? format->place : 0, kFormatMember);
    const Placed* version = Find(root, kVersionMember);
    if (version == nullptr || !version->value.is_number_integer() || version->value < 1)
      return Error(ImportProblem::kWrongFormat, version ? version->place : 0, kVersionMember);
    if (version->value > kJsonSchemaVersion)
      return Error(ImportProblem::kNewerVersion, version->place, kVersionMember);
    return std::nullopt;
  }

  // A hex string of at most `max` with no bit of `reserved` set.
  std::optional<unsigned> Bits(const Document& value, unsigned max, unsigned reserved) const {
    if (!value.is_string()) return std::nullopt;
    const auto bits = ParseHexValue(value.get_ref<const std::string&>(), max);
    if (!bits || (*bits & reserved) != 0) return std::nullopt;
    return bits;
  }

  std::optional<ImportError> Options(const Placed& options) {
    if (!options.value.is_object())
      return Error(ImportProblem::kBadValue, options.place, kOptionsMember);
    for (const auto& [name, member] : Children(options)) {
      const Document& value = member.value;
      if (name == kOtherBitsMember) {
        const auto bits = Bits(value, 0xFFFF, kNamedOptionBits);
        if (!bits) return Error(ImportProblem::kBadValue, member.place, name);
        image_.optionWord = static_cast<uint16_t>((image_.optionWord & kNamedOptionBits) | *bits);
        continue;
      }
      // A structured binding is captured by name only from clang 16 on.
      const auto flag =
          std::find_if(kOptionFlags.begin(), kOptionFlags.end(),
                       [&wanted = name](const OptionFlag& f) { return f.name == wanted; });
      if (flag == kOptionFlags.end())
        return Error(ImportProblem::kUnknownMember, member.place, name);
      if (!value.is_boolean()) return Error(ImportProblem::kBadValue, member.place, name);
      image_.optionWord = static_cast<uint16_t>(
          value.get<bool>() ? image_.optionWord | flag->mask : image_.optionWord & ~flag->mask);
    }
    return std::nullopt;
  }

  std::optional<ImportError> Speed(const Placed& speed) {
    for (int index = 0; speed.value.is_number_integer() && BitRateForSpeedIndex(index) != 0;
         ++index) {
      if (speed.value == BitRateForSpeedIndex(index)) {
        image_.brrValue = BrrValueForSpeedIndex(index);
        return std::nullopt;
      }
    }
    return Error(ImportProblem::kBadValue, speed.place, kSpeedMember);
  }

  std::optional<ImportError> Brr(const Placed& brr) {
    const auto value = Bits(brr.value, 0xFF, 0);
    if (!value) return Error(ImportProblem::kBadValue, brr.place, kBrrMember);
    image_.brrValue = static_cast<uint8_t>(*value);
    return std::nullopt;
  }

  std::optional<ImportError> Outputs(const Placed& outputs) {
    if (!outputs.value.is_object())
      return Error(ImportProblem::kBadValue, outputs.place, kOutputsMember);
    for (const auto& [name, member] : Children(outputs)) {
      const Document& value = member.value;
      if (name == kOtherBitsMember) {
        const auto bits = Bits(value, 0xFF, kPoPinBits);
        if (!bits) return Error(ImportProblem::kBadValue, member.place, name);
        image_.poInitial = static_cast<uint8_t>((image_.poInitial & kPoPinBits) | *bits);
        continue;
      }
      int pin = kFirstPoPin;
      while (pin <= kLastPoPin && PoName(pin) != name) ++pin;
      if (pin > kLastPoPin) return Error(ImportProblem::kUnknownMember, member.place, name);
      if (!value.is_boolean()) return Error(ImportProblem::kBadValue, member.place, name);
      const auto mask = static_cast<uint8_t>(1u << pin);
      image_.poInitial = static_cast<uint8_t>(value.get<bool>() ? image_.poInitial | mask
                                                                : image_.poInitial & ~mask);
    }
    return std::nullopt;
  }

  std::optional<ImportError> Characters(const Placed& characters) {
    if (!characters.value.is_array() || characters.value.size() != kCgramCharacters)
      return Error(ImportProblem::kBadValue, characters.place, kCharactersMember);
    const auto all = Children(characters);
    for (int c = 0; c < kCgramCharacters; ++c) {
      const Placed& rows = all[static_cast<std::size_t>(c)].second;
      if (!rows.value.is_array() || rows.value.size() != kCgramRows)
        return Error(ImportProblem::kBadValue, rows.place, kCharactersMember);
      const auto each = Children(rows);
      for (int r = 0; r < kCgramRows; ++r) {
        const Placed& placed = each[static_cast<std::size_t>(r)].second;
        const auto row = Row(placed.value);
        if (!row) return Error(ImportProblem::kBadValue, placed.place, kCharactersMember);
        image_.cgram[static_cast<std::size_t>(kCgramRows * c + r)] = *row;
      }
    }
    return std::nullopt;
  }

  static std::optional<uint8_t> Row(const Document& value) {
    if (!value.is_string()) return std::nullopt;
    const std::string& text = value.get_ref<const std::string&>();
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

  std::optional<ImportError> Keys(const Placed& keys) {
    if (!keys.value.is_array()) return Error(ImportProblem::kBadValue, keys.place, kKeysMember);
    KeyEntries entries(image_);
    for (const auto& [unused, key] : Children(keys)) {
      const auto members = Children(key);
      const Placed* number = key.value.is_object() ? Find(members, kKeyMember) : nullptr;
      std::optional<long> keyNumber;
      if (number != nullptr && number->value.is_number_integer())
        keyNumber = number->value.get<long>();
      if (auto error = entries.Begin(keyNumber, LineOf(key.place))) return error;
      for (const auto& [name, member] : members) {
        const Document& value = member.value;
        const int line = LineOf(member.place);
        std::optional<ImportError> error;
        if (name == kKeyMember) continue;
        if (name == kRowMember || name == kColumnMember) {
          if (!value.is_number_integer())
            return entries.Error(ImportProblem::kBadValue, line, name);
          error = entries.CheckPlace(name, value.get<long>(), line);
        } else if (name == kMakeMember || name == kBreakMember) {
          if (!value.is_string()) return entries.Error(ImportProblem::kBadCode, line, name);
          error = entries.SetCode(name, value.get_ref<const std::string&>(), line);
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

  const std::vector<int>& lines_;
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
  std::vector<int> lines;
  Document root;
  try {
    root = Document::parse(CountingIterator(text.data(), &count),
                           CountingIterator(text.data() + text.size(), &count),
                           LineRecorder(count, lines));
  } catch (const Refused& refused) {
    return refused.error;
  } catch (const nlohmann::json::exception&) {
    return ImportError{ImportProblem::kSyntax, count.line, 0, {}};
  }
  ConfigImage result = image;
  if (auto error = JsonImport(lines, result).Run(root)) return error;
  image = result;
  return std::nullopt;
}

}  // namespace vrx
