// Code page 932 through the system's own tables: the conversion Windows
// itself applies to Japanese text.
#include <windows.h>

#include <string>

#include "platform/sjis.h"

namespace vrx {
namespace {

constexpr UINT kShiftJis = 932;

std::wstring Widen(UINT codePage, DWORD flags, std::string_view text, bool& ok) {
  ok = true;
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) {
    ok = false;
    return {};
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(UINT codePage, std::wstring_view wide, BOOL* lossy) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, lossy);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

// The length of the code page 932 character starting at `text[0]`: a lead
// byte takes the next one with it.
std::size_t CharLength(std::string_view text) {
  return text.size() >= 2 && IsDBCSLeadByteEx(kShiftJis, static_cast<BYTE>(text[0])) ? 2 : 1;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  bool ok = false;
  const std::wstring wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, ok);
  if (!ok) return std::nullopt;
  BOOL lossy = FALSE;
  std::string text = Narrow(kShiftJis, wide, &lossy);
  if (lossy) return std::nullopt;
  return text;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  // Character by character, so that one undecodable byte becomes one U+FFFD
  // and the rest of the text is still shown.
  std::string out;
  while (!cp932.empty()) {
    const std::size_t length = CharLength(cp932);
    bool ok = false;
    const std::wstring wide = Widen(kShiftJis, MB_ERR_INVALID_CHARS, cp932.substr(0, length), ok);
    if (ok) {
      out += Narrow(CP_UTF8, wide, nullptr);
      cp932.remove_prefix(length);
    } else {
      out += "\xEF\xBF\xBD";
      cp932.remove_prefix(1);
    }
  }
  return out;
}

}  // namespace vrx
