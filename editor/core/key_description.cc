#include "editor/core/key_description.h"

#include "editor/core/named_keys.h"
#include "platform/sjis.h"
#include "resources/editor_texts.h"

namespace vrx::editor {

bool HasCodes(const KeyEntry& key) { return !key.makeCode.empty() || !key.breakCode.empty(); }

std::string KeyNameForMakeCode(const std::string& makeCode) {
  const NamedKey* key = NamedKeyForMakeCode(makeCode);
  return key ? key->name : std::string();
}

std::string KeyTooltipText(int key, const KeyEntry& entry) {
  std::string text = std::string(editor_text::KeyWord()) + std::to_string(key + 1) + " (ROW" +
                     std::to_string(KeyRow(key)) + "/COL" + std::to_string(KeyColumn(key)) + ")";
  if (!HasCodes(entry)) return text;
  text += "\nMake: " + Cp932ToUtf8(entry.makeCode);
  text += "\nBreak: " + Cp932ToUtf8(entry.breakCode);
  if (const std::string name = KeyNameForMakeCode(entry.makeCode); !name.empty())
    text += "\n" + name;
  return text;
}

}  // namespace vrx::editor
