#include "resources/named_key_table.h"

#include "resources/translation.h"

namespace vrx {
namespace {

using G = KeyGroup;

// Capturable keys first, with the names and codes the capture table gives;
// then the keys it cannot give.
constexpr NamedKeyRow kRows[] = {
    // Typing keys of a Japanese (JIS) keyboard.
    {"1", "16", G::kTyping},
    {"2", "1E", G::kTyping},
    {"3", "26", G::kTyping},
    {"4", "25", G::kTyping},
    {"5", "2E", G::kTyping},
    {"6", "36", G::kTyping},
    {"7", "3D", G::kTyping},
    {"8", "3E", G::kTyping},
    {"9", "46", G::kTyping},
    {"0", "45", G::kTyping},
    {"A", "1C", G::kTyping},
    {"B", "32", G::kTyping},
    {"C", "21", G::kTyping},
    {"D", "23", G::kTyping},
    {"E", "24", G::kTyping},
    {"F", "2B", G::kTyping},
    {"G", "34", G::kTyping},
    {"H", "33", G::kTyping},
    {"I", "43", G::kTyping},
    {"J", "3B", G::kTyping},
    {"K", "42", G::kTyping},
    {"L", "4B", G::kTyping},
    {"M", "3A", G::kTyping},
    {"N", "31", G::kTyping},
    {"O", "44", G::kTyping},
    {"P", "4D", G::kTyping},
    {"Q", "15", G::kTyping},
    {"R", "2D", G::kTyping},
    {"S", "1B", G::kTyping},
    {"T", "2C", G::kTyping},
    {"U", "3C", G::kTyping},
    {"V", "2A", G::kTyping},
    {"W", "1D", G::kTyping},
    {"X", "22", G::kTyping},
    {"Y", "35", G::kTyping},
    {"Z", "1A", G::kTyping},
    {"Space", "29", G::kTyping},
    {"Enter", "5A", G::kTyping},
    {"Backspace", "66", G::kTyping},
    {"Tab", "0D", G::kTyping},
    {"-", "4E", G::kTyping},
    {"^", "55", G::kTyping},
    {"@", "54", G::kTyping},
    {"[", "5B", G::kTyping},
    {";", "4C", G::kTyping},
    {":", "52", G::kTyping},  // not captured: Windows gives it no scan code of its own here
    {"]", "5D", G::kTyping},
    {",", "41", G::kTyping},
    {".", "49", G::kTyping},
    {"/", "4A", G::kTyping},
    // Modifiers and locks; the capture table gives the left code for both sides.
    {"Shift", "12", G::kModifier},
    {TrLater("右Shift"), "59", G::kModifier},
    {"Ctrl", "14", G::kModifier},
    {TrLater("右Ctrl"), "E0,14", G::kModifier},
    {"Alt", "11", G::kModifier},
    {TrLater("右Alt"), "E0,11", G::kModifier},
    {TrLater("英数"), "58", G::kModifier},
    {"CapsLock", "58", G::kModifier},
    {"NumLock", "77", G::kModifier},
    {"ScrollLock", "7E", G::kModifier},
    // Navigation.
    {"Insert", "E0,70", G::kNavigation},
    {"Delete", "E0,71", G::kNavigation},
    {"Home", "E0,6C", G::kNavigation},
    {"End", "E0,69", G::kNavigation},
    {"PageUp", "E0,7D", G::kNavigation},
    {"PageDown", "E0,7A", G::kNavigation},
    {TrLater("←"), "E0,6B", G::kNavigation},
    {TrLater("↑"), "E0,75", G::kNavigation},
    {TrLater("→"), "E0,74", G::kNavigation},
    {TrLater("↓"), "E0,72", G::kNavigation},
    // Esc and the function keys.
    {"Esc", "76", G::kFunction},
    {"F1", "05", G::kFunction},
    {"F2", "06", G::kFunction},
    {"F3", "04", G::kFunction},
    {"F4", "0C", G::kFunction},
    {"F5", "03", G::kFunction},
    {"F6", "0B", G::kFunction},
    {"F7", "83", G::kFunction},
    {"F8", "0A", G::kFunction},
    {"F9", "01", G::kFunction},
    {"F10", "09", G::kFunction},
    {"F11", "78", G::kFunction},
    {"F12", "07", G::kFunction},
    // The numeric pad.
    {TrLater("テンキー0"), "70", G::kNumpad},
    {TrLater("テンキー1"), "69", G::kNumpad},
    {TrLater("テンキー2"), "72", G::kNumpad},
    {TrLater("テンキー3"), "7A", G::kNumpad},
    {TrLater("テンキー4"), "6B", G::kNumpad},
    {TrLater("テンキー5"), "73", G::kNumpad},
    {TrLater("テンキー6"), "74", G::kNumpad},
    {TrLater("テンキー7"), "6C", G::kNumpad},
    {TrLater("テンキー8"), "75", G::kNumpad},
    {TrLater("テンキー9"), "7D", G::kNumpad},
    {TrLater("テンキー*"), "7C", G::kNumpad},
    {TrLater("テンキー+"), "79", G::kNumpad},
    {TrLater("テンキー-"), "7B", G::kNumpad},
    {TrLater("テンキー."), "71", G::kNumpad},
    {TrLater("テンキー/"), "E0,4A", G::kNumpad},
    {TrLater("テンキーEnter"), "E0,5A", G::kNumpad},
    // The Japanese keys (international keys 1 to 5).  The capture table
    // gives 変換 the code 67 and 無変換 64; the names here follow the codes.
    {TrLater("変換"), "64", G::kJapanese},
    {TrLater("無変換"), "67", G::kJapanese},
    {TrLater("カタカナひらがな"), "13", G::kJapanese},
    {TrLater("半角/全角"), "0E", G::kJapanese},
    {TrLater("¥"), "6A", G::kJapanese},
    {TrLater("ろ"), "51", G::kJapanese},
    // Print Screen, Pause and their Alt and Ctrl forms.
    {"PrintScreen", "E0,12,E0,7C", G::kSystem, "E0,F0,7C,E0,F0,12"},
    {"Alt+PrintScreen (SysRq)", "84", G::kSystem},
    {"Pause", "E1,14,77,E1,F0,14,F0,77", G::kSystem, "", false},
    {"Ctrl+Pause (Break)", "E0,7E,E0,F0,7E", G::kSystem, "", false},
    // The Windows keys as published, and as the capture table gives them.
    {TrLater("左Windows"), "E0,1F", G::kWindows},
    {TrLater("右Windows"), "E0,27", G::kWindows},
    {TrLater("アプリケーション"), "E0,2F", G::kWindows},
    {TrLater("左Windows"), "8B", G::kWindows},
    {TrLater("右Windows"), "8C", G::kWindows},
    {TrLater("アプリケーション"), "8D", G::kWindows},
    // ACPI power keys.
    {"Power", "E0,37", G::kAcpi, nullptr, false},
    {"Sleep", "E0,3F", G::kAcpi, nullptr, false},
    {"Wake", "E0,5E", G::kAcpi, nullptr, false},
    // Multimedia, application and browser keys.
    {"Next Track", "E0,4D", G::kMultimedia},
    {"Previous Track", "E0,15", G::kMultimedia},
    {"Stop", "E0,3B", G::kMultimedia},
    {"Play/Pause", "E0,34", G::kMultimedia},
    {"Mute", "E0,23", G::kMultimedia},
    {"Volume Up", "E0,32", G::kMultimedia},
    {"Volume Down", "E0,21", G::kMultimedia},
    {"Media Select", "E0,50", G::kMultimedia},
    {"Mail", "E0,48", G::kMultimedia},
    {"Calculator", "E0,2B", G::kMultimedia},
    {"My Computer", "E0,40", G::kMultimedia},
    {"Browser Search", "E0,10", G::kMultimedia},
    {"Browser Home", "E0,3A", G::kMultimedia},
    {"Browser Back", "E0,38", G::kMultimedia},
    {"Browser Forward", "E0,30", G::kMultimedia},
    {"Browser Stop", "E0,28", G::kMultimedia},
    {"Browser Refresh", "E0,20", G::kMultimedia},
    {"Browser Favorites", "E0,18", G::kMultimedia},
};

}  // namespace

std::span<const NamedKeyRow> NamedKeyRows() { return kRows; }

std::string_view KeyGroupName(KeyGroup group) {
  switch (group) {
    case KeyGroup::kTyping:
      return Tr("文字");
    case KeyGroup::kModifier:
      return Tr("修飾・ロック");
    case KeyGroup::kNavigation:
      return Tr("カーソル移動");
    case KeyGroup::kFunction:
      return Tr("ファンクション");
    case KeyGroup::kNumpad:
      return Tr("テンキー");
    case KeyGroup::kJapanese:
      return Tr("日本語");
    case KeyGroup::kSystem:
      return Tr("システム");
    case KeyGroup::kWindows:
      return Tr("Windows");
    case KeyGroup::kAcpi:
      return Tr("電源");
    case KeyGroup::kMultimedia:
      return Tr("マルチメディア");
  }
  return {};
}

}  // namespace vrx
