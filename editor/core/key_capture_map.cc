#include "editor/core/key_capture_map.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vrx::editor {
namespace {

using Pair = std::pair<unsigned, unsigned>;

// Windows virtual-key codes used below.
enum : unsigned {
  kVkCancel = 0x03,
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkClear = 0x0C,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkMenu = 0x12,
  kVkPause = 0x13,
  kVkCapital = 0x14,
  kVkEscape = 0x1B,
  kVkConvert = 0x1C,
  kVkNonConvert = 0x1D,
  kVkSpace = 0x20,
  kVkPrior = 0x21,
  kVkNext = 0x22,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkSnapshot = 0x2C,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkLWin = 0x5B,
  kVkRWin = 0x5C,
  kVkApps = 0x5D,
  kVkNumpad0 = 0x60,
  kVkMultiply = 0x6A,
  kVkAdd = 0x6B,
  kVkSubtract = 0x6D,
  kVkDecimal = 0x6E,
  kVkDivide = 0x6F,
  kVkF1 = 0x70,
  kVkNumLock = 0x90,
  kVkScroll = 0x91,
  kVkOem1 = 0xBA,
  kVkOemPlus = 0xBB,
  kVkOemComma = 0xBC,
  kVkOemMinus = 0xBD,
  kVkOemPeriod = 0xBE,
  kVkOem2 = 0xBF,
  kVkOem3 = 0xC0,
  kVkOem4 = 0xDB,
  kVkOem5 = 0xDC,
  kVkOem6 = 0xDD,
  kVkOem7 = 0xDE,
  kVkOem102 = 0xE2,
  kVkOemAttn = 0xF0,
  kVkOemCopy = 0xF2,
  kVkOemAuto = 0xF3,
};

// Main-block keys by evdev keycode, as a JIS keyboard reports them on Windows.
// The letter and digit rows are the same on US and JIS keyboards.
constexpr auto kByPlace = std::to_array<Pair>({
    {10, '1'},         {11, '2'},     {12, '3'},         {13, '4'},          {14, '5'},
    {15, '6'},         {16, '7'},     {17, '8'},         {18, '9'},          {19, '0'},
    {20, kVkOemMinus}, {21, kVkOem7}, {24, 'Q'},         {25, 'W'},          {26, 'E'},
    {27, 'R'},         {28, 'T'},     {29, 'Y'},         {30, 'U'},          {31, 'I'},
    {32, 'O'},         {33, 'P'},     {34, kVkOem3},     {35, kVkOem4},      {38, 'A'},
    {39, 'S'},         {40, 'D'},     {41, 'F'},         {42, 'G'},          {43, 'H'},
    {44, 'J'},         {45, 'K'},     {46, 'L'},         {47, kVkOemPlus},   {48, kVkOem1},
    {49, kVkOemAuto},  // 半角/全角 (the US grave key)
    {51, kVkOem6},     // the US backslash key, "]" on JIS
    {52, 'Z'},         {53, 'X'},     {54, 'C'},         {55, 'V'},          {56, 'B'},
    {57, 'N'},         {58, 'M'},     {59, kVkOemComma}, {60, kVkOemPeriod}, {61, kVkOem2},
    {94, kVkOem102},  // the ISO key beside left Shift
    {97, kVkOem102},  // ろ
    {132, kVkOem5},   // ¥
});

// Every other key by keysym, sorted by keysym.
constexpr auto kByKeysym = std::to_array<Pair>({
    {0x0020, kVkSpace},
    {0xFE03, kVkMenu},  // ISO_Level3_Shift (AltGr), a right Alt on Windows
    {0xFE20, kVkTab},   // ISO_Left_Tab (Shift+Tab)
    {0xFF08, kVkBack},
    {0xFF09, kVkTab},
    {0xFF0D, kVkReturn},
    {0xFF13, kVkPause},
    {0xFF14, kVkScroll},
    {0xFF15, kVkSnapshot},  // Sys_Req is Alt+Print
    {0xFF1B, kVkEscape},
    {0xFF22, kVkNonConvert},
    {0xFF23, kVkConvert},
    {0xFF25, kVkOemCopy},
    {0xFF26, kVkOemCopy},
    {0xFF27, kVkOemCopy},  // ひらがな/カタカナ
    {0xFF28, kVkOemAuto},
    {0xFF29, kVkOemAuto},
    {0xFF2A, kVkOemAuto},  // 全角/半角
    {0xFF30, kVkOemAttn},  // 英数
    {0xFF50, kVkHome},
    {0xFF51, kVkLeft},
    {0xFF52, kVkUp},
    {0xFF53, kVkRight},
    {0xFF54, kVkDown},
    {0xFF55, kVkPrior},
    {0xFF56, kVkNext},
    {0xFF57, kVkEnd},
    {0xFF58, kVkClear},
    {0xFF61, kVkSnapshot},
    {0xFF63, kVkInsert},
    {0xFF67, kVkApps},
    {0xFF6B, kVkCancel},  // Break is Ctrl+Pause
    {0xFF7F, kVkNumLock},
    {0xFF8D, kVkReturn},
    {0xFF95, kVkHome},
    {0xFF96, kVkLeft},
    {0xFF97, kVkUp},
    {0xFF98, kVkRight},
    {0xFF99, kVkDown},
    {0xFF9A, kVkPrior},
    {0xFF9B, kVkNext},
    {0xFF9C, kVkEnd},
    {0xFF9D, kVkClear},
    {0xFF9E, kVkInsert},
    {0xFF9F, kVkDelete},
    {0xFFAA, kVkMultiply},
    {0xFFAB, kVkAdd},
    {0xFFAC, kVkDecimal},  // KP_Separator: the decimal key of comma layouts
    {0xFFAD, kVkSubtract},
    {0xFFAE, kVkDecimal},
    {0xFFAF, kVkDivide},
    {0xFFB0, kVkNumpad0 + 0},
    {0xFFB1, kVkNumpad0 + 1},
    {0xFFB2, kVkNumpad0 + 2},
    {0xFFB3, kVkNumpad0 + 3},
    {0xFFB4, kVkNumpad0 + 4},
    {0xFFB5, kVkNumpad0 + 5},
    {0xFFB6, kVkNumpad0 + 6},
    {0xFFB7, kVkNumpad0 + 7},
    {0xFFB8, kVkNumpad0 + 8},
    {0xFFB9, kVkNumpad0 + 9},
    {0xFFE1, kVkShift},
    {0xFFE2, kVkShift},
    {0xFFE3, kVkControl},
    {0xFFE4, kVkControl},
    {0xFFE5, kVkCapital},
    {0xFFE7, kVkMenu},
    {0xFFE8, kVkMenu},  // Meta is Alt+Shift
    {0xFFE9, kVkMenu},
    {0xFFEA, kVkMenu},
    {0xFFEB, kVkLWin},
    {0xFFEC, kVkRWin},
    {0xFFFF, kVkDelete},
});

constexpr unsigned kKeysymF1 = 0xFFBE;
constexpr unsigned kKeysymF24 = 0xFFD5;

constexpr bool SortedByKey(const auto& table) {
  return std::is_sorted(table.begin(), table.end(),
                        [](const Pair& a, const Pair& b) { return a.first < b.first; });
}
static_assert(SortedByKey(kByPlace) && SortedByKey(kByKeysym));

unsigned Find(const auto& table, unsigned key) {
  const auto found =
      std::lower_bound(table.begin(), table.end(), key,
                       [](const Pair& entry, unsigned k) { return entry.first < k; });
  return found != table.end() && found->first == key ? found->second : 0;
}

// Letters and digits whose keycode is not a main-block place (a test tool
// may bind a spare keycode to them).
unsigned AlphanumericKeysym(unsigned keysym) {
  if (keysym >= 'a' && keysym <= 'z') return keysym - 'a' + 'A';
  if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9')) return keysym;
  return 0;
}

}  // namespace

unsigned VirtualKeyForXKey(unsigned keysym, unsigned keycode) {
  if (const unsigned byPlace = Find(kByPlace, keycode)) return byPlace;
  if (keysym >= kKeysymF1 && keysym <= kKeysymF24) return kVkF1 + (keysym - kKeysymF1);
  if (const unsigned bySym = Find(kByKeysym, keysym)) return bySym;
  return AlphanumericKeysym(keysym);
}

}  // namespace vrx::editor
