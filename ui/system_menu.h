// An entry in a window's system menu (the menu behind its icon), where the
// platform has one (backends system_menu_msw.cc, system_menu_gtk.cc).
// Choosing it sends the window a wxEVT_MENU with `id`.
#pragma once

#include <wx/string.h>

class wxTopLevelWindow;

namespace vrx::ui {

// Below a separator, at the end.  `id` must stay below 0xF000, where the
// system's own commands begin.
void AddToSystemMenu(wxTopLevelWindow& window, int id, const wxString& label);

}  // namespace vrx::ui
