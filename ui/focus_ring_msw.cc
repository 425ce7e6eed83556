#include <windows.h>
#include <wx/toplevel.h>

#include "ui/focus_ring.h"

namespace vrx::ui {

void ShowFocusRing(wxTopLevelWindow& window) {
  ::SendMessageW(static_cast<HWND>(window.GetHandle()), WM_CHANGEUISTATE,
                 MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace vrx::ui
