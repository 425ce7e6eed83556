#include "editor/core/named_keys.h"

#include <algorithm>
#include <cctype>

#include "config/code_text.h"

namespace vrx::editor {
namespace {

struct Row {
  const char* name;
  const char* make;
  KeyGroup group;
  // nullptr: the usual break code (F0 before the last byte of a one- or
  // two-byte make code); "" for a key that sends none.
  const char* breakCode = nullptr;
  bool typematic = true;
};

using G = KeyGroup;

// Capturable keys first, with the names and codes the capture table gives;
// then the keys it cannot give.
constexpr Row kRows[] = {
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
    {"右Shift", "59", G::kModifier},
    {"Ctrl", "14", G::kModifier},
    {"右Ctrl", "E0,14", G::kModifier},
    {"Alt", "11", G::kModifier},
    {"右Alt", "E0,11", G::kModifier},
    {"英数", "58", G::kModifier},
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
    {"←", "E0,6B", G::kNavigation},
    {"↑", "E0,75", G::kNavigation},
    {"→", "E0,74", G::kNavigation},
    {"↓", "E0,72", G::kNavigation},
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
    {"テンキー0", "70", G::kNumpad},
    {"テンキー1", "69", G::kNumpad},
    {"テンキー2", "72", G::kNumpad},
    {"テンキー3", "7A", G::kNumpad},
    {"テンキー4", "6B", G::kNumpad},
    {"テンキー5", "73", G::kNumpad},
    {"テンキー6", "74", G::kNumpad},
    {"テンキー7", "6C", G::kNumpad},
    {"テンキー8", "75", G::kNumpad},
    {"テンキー9", "7D", G::kNumpad},
    {"テンキー*", "7C", G::kNumpad},
    {"テンキー+", "79", G::kNumpad},
    {"テンキー-", "7B", G::kNumpad},
    {"テンキー.", "71", G::kNumpad},
    {"テンキー/", "E0,4A", G::kNumpad},
    {"テンキーEnter", "E0,5A", G::kNumpad},
    // The Japanese keys (international keys 1 to 5).  The capture table
    // gives 変換 the code 67 and 無変換 64; the names here follow the codes.
    {"変換", "64", G::kJapanese},
    {"無変換", "67", G::kJapanese},
    {"カタカナひらがな", "13", G::kJapanese},
    {"半角/全角", "0E", G::kJapanese},
    {"¥", "6A", G::kJapanese},
    {"ろ", "51", G::kJapanese},
    // Print Screen, Pause and their Alt and Ctrl forms.
    {"PrintScreen", "E0,12,E0,7C", G::kSystem, "E0,F0,7C,E0,F0,12"},
    {"Alt+PrintScreen (SysRq)", "84", G::kSystem},
    {"Pause", "E1,14,77,E1,F0,14,F0,77", G::kSystem, "", false},
    {"Ctrl+Pause (Break)", "E0,7E,E0,F0,7E", G::kSystem, "", false},
    // The Windows keys as published, and as the capture table gives them.
    {"左Windows", "E0,1F", G::kWindows},
    {"右Windows", "E0,27", G::kWindows},
    {"アプリケーション", "E0,2F", G::kWindows},
    {"左Windows", "8B", G::kWindows},
    {"右Windows", "8C", G::kWindows},
    {"アプリケーション", "8D", G::kWindows},
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

std::string UsualBreakCode(const std::string& make) {
  return make.size() == 2 ? "F0," + make : "E0,F0," + make.substr(3);
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

const std::vector<NamedKey>& NamedKeys() {
  static const std::vector<NamedKey> keys = [] {
    std::vector<NamedKey> list;
    for (const Row& row : kRows) {
      const std::string make = row.make;
      list.push_back({row.name, make, row.breakCode ? row.breakCode : UsualBreakCode(make),
                      row.typematic, row.group});
    }
    return list;
  }();
  return keys;
}

std::vector<const NamedKey*> FindNamedKeys(std::string_view query) {
  const std::string wanted = Folded(Trimmed(query));
  std::vector<const NamedKey*> found;
  for (const NamedKey& key : NamedKeys()) {
    if (Folded(key.name).find(wanted) != std::string::npos ||
        Folded(key.makeCode).find(wanted) != std::string::npos)
      found.push_back(&key);
  }
  return found;
}

const NamedKey* NamedKeyForMakeCode(const std::string& makeCode) {
  const std::vector<uint8_t> make = CodeTextBytes(makeCode);
  if (make.empty()) return nullptr;
  for (const NamedKey& key : NamedKeys())
    if (CodeTextBytes(key.makeCode) == make) return &key;
  return nullptr;
}

std::string_view KeyGroupName(KeyGroup group) {
  switch (group) {
    case KeyGroup::kTyping:
      return "文字";
    case KeyGroup::kModifier:
      return "修飾・ロック";
    case KeyGroup::kNavigation:
      return "カーソル移動";
    case KeyGroup::kFunction:
      return "ファンクション";
    case KeyGroup::kNumpad:
      return "テンキー";
    case KeyGroup::kJapanese:
      return "日本語";
    case KeyGroup::kSystem:
      return "システム";
    case KeyGroup::kWindows:
      return "Windows";
    case KeyGroup::kAcpi:
      return "電源";
    case KeyGroup::kMultimedia:
      return "マルチメディア";
  }
  return {};
}

}  // namespace vrx::editor
