#include "log_panel.h"

#include <wx/evtloop.h>
#include <wx/textctrl.h>

#include "message_box.h"

namespace vrx::writer {

void LogPanel::AppendLog(std::string_view text) {
  // The core writes "\r\n"; the text control's own line end is "\n" (wx puts
  // "\r\n" back where the platform's control needs it).
  wxString line = ui::FromCore(text);
  line.Replace(wxS("\r\n"), wxS("\n"));
  panel_.SetInsertionPointEnd();  // drops any selection, keeps its text
  panel_.WriteText(line);
  panel_.ShowPosition(panel_.GetLastPosition());
  RepaintWithoutInput(panel_);
}

void RepaintWithoutInput(wxTextCtrl& window) {
  window.Update();
  if (wxEventLoopBase* active = wxEventLoopBase::GetActive()) {
    active->YieldFor(wxEVT_CATEGORY_UI);
    return;
  }
  // No loop runs yet (a Write started before the dialog's modal loop, as in
  // tests): borrow one for the repaint.
  wxGUIEventLoop temporary;
  wxEventLoopActivator activate(&temporary);
  temporary.YieldFor(wxEVT_CATEGORY_UI);
}

}  // namespace vrx::writer
