// Windows backend: the desktop is always there for a signed-in user; the
// Japanese font is looked up among the system's Shift_JIS fonts.
#include <windows.h>

#include "platform/desktop_check.h"

namespace vrx {
namespace {

int CALLBACK NoteFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

}  // namespace

DisplayCheck CheckDisplay() {
  const bool interactive = GetSystemMetrics(SM_CXSCREEN) > 0;
  return {interactive, interactive ? "Windows desktop" : ""};
}

bool JapaneseFontInstalled() {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFont, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace vrx
