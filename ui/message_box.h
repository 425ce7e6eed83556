// The programs' message boxes: modal, captioned with the program's name,
// with the exclamation icon and Japanese buttons in the order はい / いいえ /
// キャンセル (OK / キャンセル).  Built by hand on every platform: GTK's own box
// would put はい last.
#pragma once

#include <wx/msgdlg.h>
#include <wx/string.h>

#include <vector>

#include "ui/text_conversion.h"

class wxButton;
class wxStaticBitmap;
class wxWindow;

namespace vrx::ui {

class MessageBox : public wxMessageDialogBase {
 public:
  // `style` is wxOK, wxYES_NO | wxCANCEL or wxOK | wxCANCEL.
  MessageBox(wxWindow* parent, const wxString& text, long style);

  // Left to right, as shown.
  const std::vector<wxButton*>& buttons() const { return buttons_; }
  wxStaticBitmap* icon() const { return icon_; }

 private:
  void AddButton(int id, std::string_view label);

  std::vector<wxButton*> buttons_;
  wxStaticBitmap* icon_ = nullptr;
};

// Shows a MessageBox; returns wxID_OK, wxID_YES, wxID_NO or wxID_CANCEL.
int ShowMessage(wxWindow* parent, const wxString& text, long style = wxOK);

}  // namespace vrx::ui
