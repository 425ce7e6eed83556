// What the key matrix and the layout sheet say about one matrix key.
#pragma once

#include <string>

#include "config/config_image.h"

namespace vrx::editor {

// Matrix row and column of key index 0..127; row 0 is the bottom row.
inline int KeyRow(int key) { return key / 16; }
inline int KeyColumn(int key) { return key % 16; }

bool HasCodes(const KeyEntry& key);

// The name of the PC key whose make code equals the key's make code ("A",
// "↑", "Volume Up"); "" when no named key sends it.
std::string KeyNameForMakeCode(const std::string& makeCode);

// The matrix tooltip (UTF-8): number and place, then the codes and the
// key's name when there are any.
std::string KeyTooltipText(int key, const KeyEntry& entry);

}  // namespace vrx::editor
