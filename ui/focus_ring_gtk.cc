#include <dlfcn.h>
#include <wx/toplevel.h>

#include "ui/focus_ring.h"

namespace vrx::ui {

void ShowFocusRing(wxTopLevelWindow& window) {
  // GTK is already loaded by wx; its headers are not needed for one call.
  using SetFocusVisible = void(void*, int);
  auto* setFocusVisible =
      reinterpret_cast<SetFocusVisible*>(dlsym(RTLD_DEFAULT, "gtk_window_set_focus_visible"));
  if (setFocusVisible && window.GetHandle()) setFocusVisible(window.GetHandle(), 1);
}

}  // namespace vrx::ui
