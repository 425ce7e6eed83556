// The programs' message boxes: modal, captioned with the program's name,
// exclamation icon, buttons captioned in Japanese.
#pragma once

#include <wx/string.h>

#include <string_view>

class wxWindow;

namespace vrx::ui {

// `style` is wxOK (default), wxYES_NO | wxCANCEL or wxOK | wxCANCEL; the
// exclamation icon, buttons captioned in Japanese.is always added.  Returns wxID_OK, wxID_YES, wxID_NO or
// wxID_CANCEL.
int ShowMessage(wxWindow* parent, const wxString& text, long style = wxOK);

// UTF-8 text from the core to wx.
inline wxString FromCore(std::string_view utf8) {
  return wxString::FromUTF8(utf8.data(), utf8.size());
}

}  // namespace vrx::ui
