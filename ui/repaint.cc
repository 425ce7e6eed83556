#include "ui/repaint.h"

#include <wx/evtloop.h>
#include <wx/window.h>

namespace vrx::ui {
namespace {

// No loop runs yet when a command starts before the dialog's modal loop (as
// in tests): borrow one for the yield.
void YieldFor(long categories) {
  if (wxEventLoopBase* active = wxEventLoopBase::GetActive()) {
    active->YieldFor(categories);
    return;
  }
  wxGUIEventLoop temporary;
  wxEventLoopActivator activate(&temporary);
  temporary.YieldFor(categories);
}

}  // namespace

// The toolkit first lays out what changed (GTK's text view lays out
// appended lines and scrolls to them in idle handlers), then the window is
// painted.  Painting first, as wxWindow::Update does on its own, hands GTK's
// text view a paint before its layout: it then lays out and scrolls in the
// middle of that paint, and its pixel cache keeps lines drawn at the old
// scroll offset (repeated and missing lines that survive being covered and
// uncovered).
void RepaintWithoutInput(wxWindow& window) {
  ProcessPendingWithoutInput();
  window.Update();
}

void ProcessPendingWithoutInput() { YieldFor(wxEVT_CATEGORY_UI); }

void ProcessAllPending() { YieldFor(wxEVT_CATEGORY_ALL); }

}  // namespace vrx::ui
