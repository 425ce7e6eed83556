// The focus ring from the start (backends focus_ring_gtk.cc, _msw.cc).  Both
// toolkits hide it until the keyboard is first used, so the button that
// Enter presses would not show that it has the focus.
#pragma once

class wxTopLevelWindow;

namespace vrx::ui {

void ShowFocusRing(wxTopLevelWindow& window);

}  // namespace vrx::ui
