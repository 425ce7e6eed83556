#include "editor/core/key_description.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "config/code_text.h"
#include "editor/core/capture_table.h"
#include "platform/sjis.h"
#include "resources/editor_texts.h"
#include "resources/key_names.h"

namespace vrx::editor {
namespace {

std::vector<uint8_t> BytesOf(const std::string& codeText) {
  uint8_t bytes[kMaxCodeBytes];
  const int count = IsValidCodeText(codeText) ? CodeTextToBytes(codeText, bytes) : 0;
  return {bytes, bytes + count};
}

struct NamedCode {
  std::vector<uint8_t> make;
  std::string_view name;
};

// Every capturable key's make code with its name, lowest virtual key first.
const std::vector<NamedCode>& NamedCodes() {
  static const std::vector<NamedCode> codes = [] {
    std::vector<NamedCode> list;
    for (unsigned virtualKey = 0; virtualKey <= 0xFF; ++virtualKey) {
      const std::string_view name = KeyNameForVirtualKey(virtualKey);
      if (name.empty()) continue;
      if (const auto captured = TranslateCapturedKey(virtualKey))
        list.push_back({BytesOf(captured->makeCode), name});
    }
    return list;
  }();
  return codes;
}

// Bytes per tooltip line: a 31-byte code wraps instead of running off the
// screen.
constexpr std::size_t kBytesPerTooltipLine = 8;

// "Make: " and the code, canonical, wrapped after every eighth byte with the
// lines under the first.
std::string TooltipCodeLines(std::string_view label, const std::string& code) {
  const std::string canonical = Cp932ToUtf8(CanonicalCodeText(code));
  const std::string indent(label.size(), ' ');
  std::string text(label);
  std::size_t bytes = 0;
  for (const char c : canonical) {
    text += c;
    if (c == ',' && ++bytes % kBytesPerTooltipLine == 0) text += "\n" + indent;
  }
  return text;
}

}  // namespace

bool HasCodes(const KeyEntry& key) { return !key.makeCode.empty() || !key.breakCode.empty(); }

std::string KeyNameForMakeCode(const std::string& makeCode) {
  const std::vector<uint8_t> make = BytesOf(makeCode);
  if (make.empty()) return {};
  const auto& codes = NamedCodes();
  const auto found = std::find_if(codes.begin(), codes.end(),
                                  [&](const NamedCode& code) { return code.make == make; });
  return found == codes.end() ? std::string() : std::string(found->name);
}

std::string KeyTooltipText(int key, const KeyEntry& entry) {
  std::string text = std::string(editor_text::KeyWord()) + std::to_string(key + 1) + " (ROW" +
                     std::to_string(KeyRow(key)) + "/COL" + std::to_string(KeyColumn(key)) + ")";
  if (!HasCodes(entry)) return text;
  text += "\n" + TooltipCodeLines("Make: ", entry.makeCode);
  text += "\n" + TooltipCodeLines("Break: ", entry.breakCode);
  if (const std::string name = KeyNameForMakeCode(entry.makeCode); !name.empty())
    text += "\n" + name;
  return text;
}

}  // namespace vrx::editor
