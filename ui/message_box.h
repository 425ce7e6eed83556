// The programs' message boxes: modal, captioned with the program's name,
// exclamation icon, buttons captioned in Japanese.
#pragma once

#include <wx/string.h>

#include "ui/text_conversion.h"

class wxWindow;

namespace vrx::ui {

// `style` is wxOK (default), wxYES_NO | wxCANCEL or wxOK | wxCANCEL; the
// exclamation icon, buttons captioned in Japanese.is always added.  Returns wxID_OK, wxID_YES,
// wxID_NO or wxID_CANCEL.
int ShowMessage(wxWindow* parent, const wxString& text, long style = wxOK);

}  // namespace vrx::ui
