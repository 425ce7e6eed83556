#include "editor/gui/key_capture.h"

#include <wx/event.h>
#include <wx/window.h>

#include "editor/gui/virtual_key.h"

namespace vrx::editor {

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
