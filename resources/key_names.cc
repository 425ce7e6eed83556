#include "resources/key_names.h"

#include <array>
#include <utility>

namespace vrx {
namespace {

// Listed keys only; letters and digits are their own names.
constexpr std::pair<unsigned, std::string_view> kNamedKeys[] = {
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x12, "Alt"},
    {0x13, "Pause"},
    {0x1B, "Esc"},
    {0x1C, "変換"},
    {0x1D, "無変換"},
    {0x20, "Space"},
    {0x21, "PageUp"},
    {0x22, "PageDown"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "←"},
    {0x26, "↑"},
    {0x27, "→"},
    {0x28, "↓"},
    {0x2C, "PrintScreen"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x5B, "左Windows"},
    {0x5C, "右Windows"},
    {0x5D, "アプリケーション"},
    {0x60, "テンキー0"},
    {0x61, "テンキー1"},
    {0x62, "テンキー2"},
    {0x63, "テンキー3"},
    {0x64, "テンキー4"},
    {0x65, "テンキー5"},
    {0x66, "テンキー6"},
    {0x67, "テンキー7"},
    {0x68, "テンキー8"},
    {0x69, "テンキー9"},
    {0x6A, "テンキー*"},
    {0x6B, "テンキー+"},
    {0x6D, "テンキー-"},
    {0x6E, "テンキー."},
    {0x6F, "テンキー/"},
    {0x70, "F1"},
    {0x71, "F2"},
    {0x72, "F3"},
    {0x73, "F4"},
    {0x74, "F5"},
    {0x75, "F6"},
    {0x76, "F7"},
    {0x77, "F8"},
    {0x78, "F9"},
    {0x79, "F10"},
    {0x7A, "F11"},
    {0x7B, "F12"},
    {0x90, "NumLock"},
    {0x91, "ScrollLock"},
    {0xBB, ";"},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "@"},
    {0xDB, "["},
    {0xDC, "¥"},
    {0xDD, "]"},
    {0xDE, "^"},
    {0xE2, "ろ"},
    {0xE5, "半角/全角"},
    {0xF0, "英数"},
    {0xF2, "ひらがな"},
    {0xF3, "半角/全角"},
    {0xF4, "半角/全角"},
};

constexpr std::string_view kLettersAndDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

std::string_view KeyNameForVirtualKey(unsigned virtualKey) {
  if (virtualKey >= '0' && virtualKey <= '9') return kLettersAndDigits.substr(virtualKey - '0', 1);
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return kLettersAndDigits.substr(10 + virtualKey - 'A', 1);
  for (const auto& [key, name] : kNamedKeys)
    if (key == virtualKey) return name;
  return {};
}

}  // namespace vrx
