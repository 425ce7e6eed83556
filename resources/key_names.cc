#include "resources/key_names.h"
#include "resources/translation.h"

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
    {0x1C, TrLater("変換")},
    {0x1D, TrLater("無変換")},
    {0x20, "Space"},
    {0x21, "PageUp"},
    {0x22, "PageDown"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, TrLater("←")},
    {0x26, TrLater("↑")},
    {0x27, TrLater("→")},
    {0x28, TrLater("↓")},
    {0x2C, "PrintScreen"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x5B, TrLater("左Windows")},
    {0x5C, TrLater("右Windows")},
    {0x5D, TrLater("アプリケーション")},
    {0x60, TrLater("テンキー0")},
    {0x61, TrLater("テンキー1")},
    {0x62, TrLater("テンキー2")},
    {0x63, TrLater("テンキー3")},
    {0x64, TrLater("テンキー4")},
    {0x65, TrLater("テンキー5")},
    {0x66, TrLater("テンキー6")},
    {0x67, TrLater("テンキー7")},
    {0x68, TrLater("テンキー8")},
    {0x69, TrLater("テンキー9")},
    {0x6A, TrLater("テンキー*")},
    {0x6B, TrLater("テンキー+")},
    {0x6D, TrLater("テンキー-")},
    {0x6E, TrLater("テンキー.")},
    {0x6F, TrLater("テンキー/")},
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
    {0xDC, TrLater("¥")},
    {0xDD, "]"},
    {0xDE, "^"},
    {0xE2, TrLater("ろ")},
    {0xE5, TrLater("半角/全角")},
    {0xF0, TrLater("英数")},
    {0xF2, TrLater("ひらがな")},
    {0xF3, TrLater("半角/全角")},
    {0xF4, TrLater("半角/全角")},
};

constexpr std::string_view kLettersAndDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

std::string_view KeyNameForVirtualKey(unsigned virtualKey) {
  if (virtualKey >= '0' && virtualKey <= '9') return kLettersAndDigits.substr(virtualKey - '0', 1);
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return kLettersAndDigits.substr(10 + virtualKey - 'A', 1);
  for (const auto& [key, name] : kNamedKeys)
    if (key == virtualKey) return Tr(name);
  return {};
}

}  // namespace vrx
