#include "ui/message_box.h"

#include <wx/msgdlg.h>

#include "platform/module_path.h"
#include "resources/ui_texts.h"
#include "ui/text_conversion.h"

namespace vrx::ui {

int ShowMessage(wxWindow* parent, const wxString& text, long style) {
  wxMessageDialog dialog(parent, text, FromCore(ProgramName()), style | wxICON_EXCLAMATION);
  // Set for every style: wx uses only the labels of the buttons it shows.
  dialog.SetYesNoCancelLabels(FromCore(ui_text::Yes()), FromCore(ui_text::No()),
                              FromCore(ui_text::Cancel()));
  dialog.SetOKCancelLabels(FromCore(ui_text::Ok()), FromCore(ui_text::Cancel()));
  return dialog.ShowModal();
}

}  // namespace vrx::ui
