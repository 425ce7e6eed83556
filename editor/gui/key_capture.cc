#include "editor/gui/key_capture.h"

#include <wx/event.h>
#include <wx/window.h>

#include "editor/core/key_capture_map.h"

namespace vrx::editor {
namespace {

unsigned VirtualKeyOf(const wxKeyEvent& event) {
#ifdef __WXGTK__
  // The wx key code loses left and right and knows no Japanese keys; the
  // keysym and the hardware keycode keep them.
  return VirtualKeyForXKey(event.GetRawKeyCode(), event.GetRawKeyFlags());
#else
  return event.GetRawKeyCode();  // Windows: the virtual-key code itself
#endif
}

}  // namespace

void InterceptKeyDowns(wxWindow* target, std::function<bool()> enabled,
                       std::function<void(unsigned virtualKey)> onKeyDown) {
  // wx sends the char hook first to the focus window and then up through its
  // parents, ahead of every other key event and of the dialog's own keys, so
  // binding it here sees exactly the keys addressed to `target` and its
  // children.
  target->Bind(wxEVT_CHAR_HOOK,
               [enabled = std::move(enabled), onKeyDown = std::move(onKeyDown)](wxKeyEvent& event) {
                 if (!enabled()) {
                   event.Skip();
                   return;
                 }
                 onKeyDown(VirtualKeyOf(event));
               });
}

}  // namespace vrx::editor
