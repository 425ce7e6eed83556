#include "writer/gui/log_panel.h"

#include <wx/textctrl.h>

#include "ui/repaint.h"
#include "ui/text_conversion.h"

namespace vrx::writer {

void LogPanel::AppendLog(std::string_view text) {
  // The core writes "\r\n"; the text control's own line end is "\n" (wx puts
  // "\r\n" back where the platform's control needs it).
  wxString line = ui::FromCore(text);
  line.Replace(wxS("\r\n"), wxS("\n"));
  panel_.SetInsertionPointEnd();  // drops any selection, keeps its text
  panel_.WriteText(line);
  panel_.ShowPosition(panel_.GetLastPosition());
  ui::RepaintWithoutInput(panel_);
}

}  // namespace vrx::writer
