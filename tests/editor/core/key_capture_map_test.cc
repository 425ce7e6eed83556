// X key events to captured codes: the keysym and hardware keycode of a key
// as the X server reports it, through the virtual-key code, to the make text
// the capture table gives.  Keycodes are evdev's (Linux key code + 8).
#include <gtest/gtest.h>

#include <string>

#include "editor/core/capture_table.h"
#include "editor/core/key_capture_map.h"

namespace vrx::editor {
namespace {

// The make text a key-down captures, or "ignored".
std::string Captured(unsigned keysym, unsigned keycode) {
  const auto captured = TranslateCapturedKey(VirtualKeyForXKey(keysym, keycode));
  return captured ? captured->makeCode : "ignored";
}

TEST(KeyCaptureMap, LeftAndRightModifiersGiveOneCode) {
  EXPECT_EQ(Captured(0xFFE1, 50), "12");   // Shift_L
  EXPECT_EQ(Captured(0xFFE2, 62), "12");   // Shift_R
  EXPECT_EQ(Captured(0xFFE4, 105), "14");  // Control_R
  EXPECT_EQ(Captured(0xFFEA, 108), "11");  // Alt_R
  EXPECT_EQ(Captured(0xFE03, 108), "11");  // AltGr on layouts that have it
  EXPECT_EQ(Captured(0xFFE7, 64), "11");   // Meta_L: Alt pressed with Shift
}

TEST(KeyCaptureMap, NumpadFollowsNumLockLikeWindows) {
  EXPECT_EQ(Captured(0xFFB1, 87), "69");       // KP_1: NumLock on
  EXPECT_EQ(Captured(0xFF9C, 87), "E0,69");    // KP_End: NumLock off, reported as End
  EXPECT_EQ(Captured(0xFFAC, 91), "71");       // KP_Separator: the decimal key of comma layouts
  EXPECT_EQ(Captured(0xFF9D, 84), "ignored");  // KP_Begin (VK_CLEAR)
  EXPECT_EQ(Captured(0xFF8D, 104), "5A");      // KP_Enter is Enter
}

TEST(KeyCaptureMap, PrintAndPauseWithTheirModifiedForms) {
  EXPECT_EQ(Captured(0xFF61, 107), "E0,12,E0,7C");  // Print
  EXPECT_EQ(Captured(0xFF15, 107), "E0,12,E0,7C");  // Sys_Req: Alt+Print
  EXPECT_EQ(Captured(0xFF13, 127), "E1,14,77,E1,F0,14,F0,77");
  EXPECT_EQ(Captured(0xFF6B, 127), "ignored");  // Break: Ctrl+Pause is VK_CANCEL
}

TEST(KeyCaptureMap, JapaneseKeys) {
  EXPECT_EQ(Captured(0xFF23, 100), "67");      // 変換 Henkan_Mode
  EXPECT_EQ(Captured(0xFF22, 102), "64");      // 無変換 Muhenkan
  EXPECT_EQ(Captured(0xFF26, 101), "13");      // ひらがな/カタカナ with Shift (Katakana)
  EXPECT_EQ(Captured(0x0060, 49), "0E");       // 半角/全角's place, grave on a US layout
  EXPECT_EQ(Captured(0xFF30, 66), "58");       // 英数 (Eisu_toggle)
  EXPECT_EQ(Captured(0xFFE5, 66), "ignored");  // the same key as Caps_Lock
  // ¥ and ろ share their keysym with backslash: only the place tells.
  EXPECT_EQ(Captured(0x005C, 132), "6A");  // ¥
  EXPECT_EQ(Captured(0x005C, 97), "51");   // ろ
  EXPECT_EQ(Captured(0x005C, 51), "5D");   // "]" beside Enter on JIS, backslash on US
}

TEST(KeyCaptureMap, MainBlockKeysByPlaceWhateverShiftOrLayout) {
  EXPECT_EQ(Captured('A', 38), "1C");       // with Shift or Caps Lock
  EXPECT_EQ(Captured('q', 38), "1C");       // AZERTY: the key in A's place
  EXPECT_EQ(Captured('!', 10), "16");       // Shift+1 is still the 1 key
  EXPECT_EQ(Captured(':', 48), "ignored");  // VK_OEM_1 has no code
  EXPECT_EQ(Captured('<', 94), "51");       // the ISO key is VK_OEM_102 on Windows
  // A test tool may bind a letter to a spare keycode: the keysym decides.
  EXPECT_EQ(Captured('Z', 8), "1A");
  EXPECT_EQ(Captured('7', 8), "3D");
}

TEST(KeyCaptureMap, FunctionKeysAndUnknownKeys) {
  EXPECT_EQ(Captured(0xFE20, 23), "0D");            // Shift+Tab (ISO_Left_Tab)
  EXPECT_EQ(Captured(0xFFC9, 96), "07");            // F12
  EXPECT_EQ(Captured(0xFFCA, 191), "ignored");      // F13
  EXPECT_EQ(Captured(0x1008FF11, 122), "ignored");  // a media key
  EXPECT_EQ(VirtualKeyForXKey(0, 0), 0u);
}

}  // namespace
}  // namespace vrx::editor
