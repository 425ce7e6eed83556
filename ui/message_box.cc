#include "message_box.h"

#include <wx/msgdlg.h>

#include "module_path.h"

namespace vrx::ui {

int ShowMessage(wxWindow* parent, const wxString& text, long style) {
  wxMessageDialog dialog(parent, text, FromCore(ProgramName()), style | wxICON_EXCLAMATION);
  return dialog.ShowModal();
}

}  // namespace vrx::ui
