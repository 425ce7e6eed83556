// X key events to captured codes: the keysym and hardware keycode of a key
// as the X server reports it, through the virtual-key code, to the make text
// the capture table gives.  Keycodes are evdev's (Linux key code + 8).
#include <gtest/gtest.h>

#include <string>

#include "code_text.h"
#include "key_capture_map.h"

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
  EXPECT_EQ(Captured(0xFFE3, 37), "14");   // Control_L
  EXPECT_EQ(Captured(0xFFE4, 105), "14");  // Control_R
  EXPECT_EQ(Captured(0xFFE9, 64), "11");   // Alt_L
  EXPECT_EQ(Captured(0xFFEA, 108), "11");  // Alt_R
  EXPECT_EQ(Captured(0xFE03, 108), "11");  // AltGr on layouts that have it
  EXPECT_EQ(Captured(0xFFE7, 64), "11");   // Meta_L: Alt pressed with Shift
  EXPECT_EQ(Captured(0xFFEB, 133), "8B");  // Super_L
  EXPECT_EQ(Captured(0xFFEC, 134), "8C");  // Super_R
}

TEST(KeyCaptureMap, NumpadFollowsNumLockLikeWindows) {
  EXPECT_EQ(Captured(0xFFB1, 87), "69");     // KP_1: NumLock on
  EXPECT_EQ(Captured(0xFF9C, 87), "E0,69");  // KP_End: NumLock off, reported as End
  EXPECT_EQ(Captured(0xFFB0, 90), "70");     // KP_0
  EXPECT_EQ(Captured(0xFF9E, 90), "E0,70");  // KP_Insert
  EXPECT_EQ(Captured(0xFFAE, 91), "71");     // KP_Decimal
  EXPECT_EQ(Captured(0xFFAC, 91), "71");     // KP_Separator, the same key on comma layouts
  EXPECT_EQ(Captured(0xFF9F, 91), "E0,71");  // KP_Delete
  EXPECT_EQ(Captured(0xFF9D, 84), "ignored");  // KP_Begin (VK_CLEAR)
  EXPECT_EQ(Captured(0xFF8D, 104), "5A");    // KP_Enter is Enter
  EXPECT_EQ(Captured(0xFFAF, 106), "E0,4A");  // KP_Divide
  EXPECT_EQ(Captured(0xFFAA, 63), "7C");
  EXPECT_EQ(Captured(0xFFAD, 82), "7B");
  EXPECT_EQ(Captured(0xFFAB, 86), "79");
  EXPECT_EQ(Captured(0xFF7F, 77), "77");     // Num_Lock
}

TEST(KeyCaptureMap, PrintPauseAndTheirControlForms) {
  const auto print = TranslateCapturedKey(VirtualKeyForXKey(0xFF61, 107));
  ASSERT_TRUE(print);
  EXPECT_EQ(print->makeCode, "E0,12,E0,7C");
  EXPECT_EQ(print->breakCode, "E0,F0,7C,E0,F0,12");
  EXPECT_EQ(Captured(0xFF15, 107), "E0,12,E0,7C");  // Sys_Req: Alt+Print
  const auto pause = TranslateCapturedKey(VirtualKeyForXKey(0xFF13, 127));
  ASSERT_TRUE(pause);
  EXPECT_EQ(pause->makeCode, "E1,14,77,E1,F0,14,F0,77");
  EXPECT_EQ(pause->breakCode, "");
  EXPECT_FALSE(pause->typematic);
  EXPECT_EQ(Captured(0xFF6B, 127), "ignored");  // Break: Ctrl+Pause is VK_CANCEL
}

TEST(KeyCaptureMap, JapaneseKeys) {
  EXPECT_EQ(Captured(0xFF23, 100), "67");  // 変換 Henkan_Mode
  EXPECT_EQ(Captured(0xFF22, 102), "64");  // 無変換 Muhenkan
  EXPECT_EQ(Captured(0xFF27, 101), "13");  // ひらがな/カタカナ
  EXPECT_EQ(Captured(0xFF26, 101), "13");  // the same key with Shift (Katakana)
  EXPECT_EQ(Captured(0xFF2A, 49), "0E");   // 半角/全角
  EXPECT_EQ(Captured(0x0060, 49), "0E");   // the same place on a US layout (grave)
  EXPECT_EQ(Captured(0xFF30, 66), "58");   // 英数 (Eisu_toggle)
  // ¥ and ろ share their keysyms with backslash: only the place tells.
  EXPECT_EQ(Captured(0x005C, 132), "6A");  // ¥
  EXPECT_EQ(Captured(0x00A5, 132), "6A");
  EXPECT_EQ(Captured(0x005C, 97), "51");   // ろ
  EXPECT_EQ(Captured(0x005F, 97), "51");   // ろ with Shift (underscore)
  EXPECT_EQ(Captured(0x005D, 51), "5D");   // "]" beside Enter on JIS, backslash on US
}

TEST(KeyCaptureMap, MainBlockKeysByPlaceWhateverShiftOrLayout) {
  EXPECT_EQ(Captured('a', 38), "1C");
  EXPECT_EQ(Captured('A', 38), "1C");        // with Shift or Caps Lock
  EXPECT_EQ(Captured('q', 38), "1C");        // AZERTY: the key in A's place
  EXPECT_EQ(Captured('!', 10), "16");        // Shift+1 is still the 1 key
  EXPECT_EQ(Captured('0', 19), "45");
  EXPECT_EQ(Captured('-', 20), "4E");
  EXPECT_EQ(Captured('^', 21), "55");
  EXPECT_EQ(Captured('@', 34), "54");
  EXPECT_EQ(Captured('[', 35), "5B");
  EXPECT_EQ(Captured(';', 47), "4C");
  EXPECT_EQ(Captured(':', 48), "ignored");   // VK_OEM_1 has no code
  EXPECT_EQ(Captured(',', 59), "41");
  EXPECT_EQ(Captured('.', 60), "49");
  EXPECT_EQ(Captured('/', 61), "4A");
  EXPECT_EQ(Captured('<', 94), "51");        // the ISO key is VK_OEM_102 on Windows
  // A test tool may bind a letter to a spare keycode: the keysym decides.
  EXPECT_EQ(Captured('z', 8), "1A");
  EXPECT_EQ(Captured('Z', 8), "1A");
  EXPECT_EQ(Captured('7', 8), "3D");
}

TEST(KeyCaptureMap, EditingNavigationAndFunctionKeys) {
  EXPECT_EQ(Captured(0xFF09, 23), "0D");     // Tab
  EXPECT_EQ(Captured(0xFE20, 23), "0D");     // Shift+Tab (ISO_Left_Tab)
  EXPECT_EQ(Captured(0xFF0D, 36), "5A");     // Return
  EXPECT_EQ(Captured(0xFF1B, 9), "76");      // Escape
  EXPECT_EQ(Captured(0x0020, 65), "29");     // space
  EXPECT_EQ(Captured(0xFF08, 22), "66");     // BackSpace
  EXPECT_EQ(Captured(0xFF52, 111), "E0,75");  // Up
  EXPECT_EQ(Captured(0xFF55, 112), "E0,7D");  // Prior
  EXPECT_EQ(Captured(0xFFFF, 119), "E0,71");  // Delete
  EXPECT_EQ(Captured(0xFF67, 135), "8D");     // Menu
  EXPECT_EQ(Captured(0xFF14, 78), "7E");      // Scroll_Lock
  EXPECT_EQ(Captured(0xFFBE, 67), "05");      // F1
  EXPECT_EQ(Captured(0xFFC9, 96), "07");      // F12
  EXPECT_EQ(Captured(0xFFCA, 191), "ignored");  // F13
  EXPECT_EQ(Captured(0xFFE5, 66), "ignored");   // Caps_Lock
  EXPECT_EQ(Captured(0x1008FF11, 122), "ignored");  // a media key
  EXPECT_EQ(VirtualKeyForXKey(0, 0), 0u);
}

}  // namespace
}  // namespace vrx::editor
