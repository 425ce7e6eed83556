#include <wx/event.h>

#include "editor/gui/virtual_key.h"

namespace vrx::editor {

// Windows delivers the virtual-key code itself.
unsigned VirtualKeyOf(const wxKeyEvent& event) { return event.GetRawKeyCode(); }

}  // namespace vrx::editor
