#include "ui/system_menu.h"

namespace vrx::ui {

// The window manager owns the title bar menu on Linux: the programs offer
// the same entry in their own context menu instead.
void AddToSystemMenu(wxTopLevelWindow&, int, const wxString&) {}

}  // namespace vrx::ui
