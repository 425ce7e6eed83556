#include <wx/menu.h>
#include <wx/toplevel.h>

#include "ui/system_menu.h"

namespace vrx::ui {

// wx keeps the system menu as a wxMenu and turns its WM_SYSCOMMAND into the
// menu event.
void AddToSystemMenu(wxTopLevelWindow& window, int id, const wxString& label) {
  wxMenu* menu = window.MSWGetSystemMenu();
  if (!menu || label.empty()) return;
  menu->AppendSeparator();
  menu->Append(id, label);
}

}  // namespace vrx::ui
