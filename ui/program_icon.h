// The programs' icon (resource 128): a key-switch module on a circuit
// board, drawn at the sizes desktops ask for.
#pragma once

#include <wx/iconbndl.h>

namespace vrx::ui {

wxIconBundle ProgramIcons();

// One size of it (e.g. 32 for the version box), scaled for the screen.
wxIcon ProgramIcon(int size);

}  // namespace vrx::ui
