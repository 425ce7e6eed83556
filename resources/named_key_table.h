// The PC keyboard's keys by name with their scan code set 2 make and break
// codes: the one table behind the editor's key list, the matrix tooltip, the
// layout sheet and `vrxtool show` (editor/core/named_keys.h reads it).
#pragma once

#include <span>
#include <string_view>

namespace vrx {

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

struct NamedKeyRow {
  std::string_view name;  // the source text; shown through Tr
  const char* make;       // canonical code text: "E0,75"
  KeyGroup group;
  // nullptr: the usual break code (F0 before the last byte of a one- or
  // two-byte make code); "" for a key that sends none.
  const char* breakCode = nullptr;
  bool typematic = true;
};

// Sources: Microsoft's published scan code set 2 tables (rev. 1.3a,
// appendix C and its USB usage table for
// the ACPI and multimedia keys), and the editor's capture table for the
// keys it captures.  Where a code has several names the first listed is the
// one shown for it.
std::span<const NamedKeyRow> NamedKeyRows();

// The group's heading in the key list, in the program's language.
std::string_view KeyGroupName(KeyGroup group);

}  // namespace vrx
