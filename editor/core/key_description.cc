#include "editor/core/key_description.h"

#include <cstddef>
#include <string_view>

#include "config/code_text.h"
#include "editor/core/named_keys.h"
#include "platform/sjis.h"
#include "resources/editor_texts.h"

namespace vrx::editor {
namespace {

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
  const NamedKey* key = NamedKeyForMakeCode(makeCode);
  return key ? key->name : std::string();
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
