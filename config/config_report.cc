#include "config/config_report.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "config/bit_rate.h"
#include "config/brr_value.h"
#include "config/config_fields.h"

namespace vrx {
namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Bool(bool on) { return on ? "yes" : "no"; }

// One line per setting, always the same lines in the same order, so that
// two configurations compare line by line.
std::vector<std::string> SettingLines(const ConfigImage& image) {
  std::vector<std::string> lines;
  lines.push_back(Format("option word   0x%04X", image.optionWord));
  for (const OptionFlag& flag : kOptionFlags)
    lines.push_back(Format("  %-24.*s %s", static_cast<int>(flag.name.size()), flag.name.data(),
                           Bool((image.optionWord & flag.mask) != 0).c_str()));
  const std::optional<int> speedIndex = SpeedIndexForBrrValue(image.brrValue);
  lines.push_back(speedIndex
                      ? Format("speed         %d bit/s (BRR 0x%02X)",
                               BitRateForSpeedIndex(*speedIndex), image.brrValue)
                      : Format("speed         none of the list (BRR 0x%02X)", image.brrValue));
  std::string po = Format("PO initial    0x%02X ", image.poInitial);
  for (int pin = kFirstPoPin; pin <= kLastPoPin; ++pin)
    po += Format(" PO%d %d", pin, (image.poInitial >> pin) & 1);
  lines.push_back(po);
  return lines;
}

// Row r of character c as dots, with the byte in hex when bits 5..7 are set.
std::string CharacterRow(const ConfigImage& image, int c, int r) {
  const uint8_t row = image.cgram[static_cast<std::size_t>(kCgramRows * c + r)];
  char art[kCgramDots + 1];
  std::string text(CgramRowArt(row, art));
  text += (row & ~kCgramDotBits) != 0 ? Format("(%02X)", row) : "    ";
  return text;
}

std::string KeyHeader() { return "  KEY ROW COL TYPEMATIC MAKE / BREAK"; }

std::string KeyLine(const ConfigImage& stored, int index) {
  const KeyEntry& key = stored.keys[static_cast<std::size_t>(index)];
  return Format("  %3d %3d %3d %-9s ", index + 1, KeyRow(index), KeyColumn(index),
                Bool(key.typematic).c_str()) +
         (key.makeCode.empty() ? "-" : key.makeCode) + " / " +
         (key.breakCode.empty() ? "-" : key.breakCode);
}

void AppendLine(std::string& text, std::string_view line) {
  line = line.substr(0, line.find_last_not_of(' ') + 1);
  text += line;
  text += '\n';
}

}  // namespace

std::string ShowConfig(const ConfigImage& image, bool allKeys, const KeyNamer& keyName) {
  const ConfigImage stored = AsStored(image);
  std::string text;
  for (const std::string& line : SettingLines(stored)) AppendLine(text, line);

  AppendLine(text, "\ncharacters");
  std::string numbers = " ";
  for (int c = 0; c < kCgramCharacters; ++c) numbers += Format(" %-9d", c);
  AppendLine(text, numbers);
  for (int r = 0; r < kCgramRows; ++r) {
    std::string line = " ";
    for (int c = 0; c < kCgramCharacters; ++c) line += " " + CharacterRow(stored, c, r);
    AppendLine(text, line);
  }

  const ConfigImage fresh;
  std::string keys;
  for (int i = 0; i < kKeyCount; ++i) {
    if (!allKeys && KeyLine(stored, i) == KeyLine(fresh, i)) continue;
    std::string line = KeyLine(stored, i);
    const std::string name = keyName ? keyName(stored.keys[static_cast<std::size_t>(i)].makeCode) : "";
    if (!name.empty()) line += "  " + name;
    AppendLine(keys, line);
  }
  AppendLine(text, allKeys ? "\nkeys" : "\nkeys that differ from a fresh file");
  if (keys.empty()) {
    AppendLine(text, "  (none)");
  } else {
    AppendLine(text, KeyHeader());
    text += keys;
  }
  return text;
}

std::string DiffConfigs(const ConfigImage& before, const ConfigImage& after) {
  const ConfigImage a = AsStored(before);
  const ConfigImage b = AsStored(after);
  std::string text;
  const std::vector<std::string> linesA = SettingLines(a);
  const std::vector<std::string> linesB = SettingLines(b);
  for (std::size_t i = 0; i < linesA.size(); ++i) {
    if (linesA[i] == linesB[i]) continue;
    AppendLine(text, "-" + linesA[i]);
    AppendLine(text, "+" + linesB[i]);
  }
  for (int c = 0; c < kCgramCharacters; ++c) {
    bool same = true;
    for (int r = 0; r < kCgramRows; ++r)
      same = same && CharacterRow(a, c, r) == CharacterRow(b, c, r);
    if (same) continue;
    AppendLine(text, Format("character %d", c));
    for (int r = 0; r < kCgramRows; ++r)
      AppendLine(text, "  " + CharacterRow(a, c, r) +
                           (CharacterRow(a, c, r) == CharacterRow(b, c, r) ? "   " : " | ") +
                           CharacterRow(b, c, r));
  }
  bool keyHeader = false;
  for (int i = 0; i < kKeyCount; ++i) {
    if (KeyLine(a, i) == KeyLine(b, i)) continue;
    if (!keyHeader) AppendLine(text, " " + KeyHeader());
    keyHeader = true;
    AppendLine(text, "-" + KeyLine(a, i));
    AppendLine(text, "+" + KeyLine(b, i));
  }
  return text;
}

}  // namespace vrx
