// The Windows virtual-key code of a key event, whichever toolkit delivered it
// (backends virtual_key_gtk.cc and virtual_key_msw.cc).
#pragma once

class wxKeyEvent;

namespace vrx::editor {

unsigned VirtualKeyOf(const wxKeyEvent& event);

}  // namespace vrx::editor
