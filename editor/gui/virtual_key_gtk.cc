#include <wx/event.h>

#include "editor/core/key_capture_map.h"
#include "editor/gui/virtual_key.h"

namespace vrx::editor {

// The wx key code loses left and right and knows no Japanese keys; the
// keysym and the hardware keycode keep them.
unsigned VirtualKeyOf(const wxKeyEvent& event) {
  return VirtualKeyForXKey(event.GetRawKeyCode(), event.GetRawKeyFlags());
}

}  // namespace vrx::editor
