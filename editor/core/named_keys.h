// The PC keyboard's keys by name with their scan code set 2 make and break
// codes: every key the capture table gives, plus the keys that cannot be
// captured (the desktop keeps them, or the capture table has no code for
// them).  The one source of key names for the key list, the matrix tooltip,
// the layout sheet and `vrxtool show`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrx::editor {

enum class KeyGroup {
  kTyping,      // letters, digits, punctuation, Space, Enter...
  kModifier,    // Shift, Ctrl, Alt, locks
  kNavigation,  // arrows, Home/End, Insert/Delete
  kFunction,    // F1..F12, Esc
  kNumpad,
  kJapanese,    // 変換, 無変換, カタカナひらがな, 半角/全角, ¥, ろ
  kSystem,      // Print Screen, SysRq, Pause, Break
  kWindows,     // the Windows keys and Menu as published and as captured
  kAcpi,        // Power, Sleep, Wake
  kMultimedia,  // media, volume, application and browser keys
};

struct NamedKey {
  std::string name;       // UTF-8, as the lists show it
  std::string makeCode;   // canonical code text: "E0,75"
  std::string breakCode;  // "" for a key without a break code
  bool typematic = true;
  KeyGroup group = KeyGroup::kTyping;
};

// Sources: the published scan code set 2 tables (Microsoft's "Keyboard Scan
// Code Specification", rev. 1.3a, appendix C and its USB usage table for
// the ACPI and multimedia keys), and the editor's capture table for the
// keys it captures.  Where a code has several names the first listed is the
// one shown for it.
const std::vector<NamedKey>& NamedKeys();

// The key list's search: keys whose name or make code contains `query`,
// case folded for ASCII; blanks around the query are ignored.  All keys
// for an empty query.
std::vector<const NamedKey*> FindNamedKeys(std::string_view query);

// The first named key whose make code equals `makeCode` byte for byte
// (any valid spelling: "e0,75", "0xE0,075"); nullptr when there is none.
const NamedKey* NamedKeyForMakeCode(const std::string& makeCode);

// The group's heading in the key list.
std::string_view KeyGroupName(KeyGroup group);

}  // namespace vrx::editor
