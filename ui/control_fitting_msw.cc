// Windows: native controls already fit the dialog templates they were made
// for; only a check box's label needs the gap Windows leaves before it.
#include <wx/control.h>
#include <wx/window.h>

#include "ui/control_fitting.h"

namespace vrx::ui {

void TrimPadding(wxWindow&) {}

void TrimCheckBox(wxWindow&) {}

// About a character's width (wx's own best size counts it the same way);
// without it a label that seems to fit is clipped.
int CheckBoxLabelSpacing(const wxWindow& box) { return box.GetCharWidth(); }

void UseCompactDropDownLists() {}

void WrapDropDownList(wxControl&, int) {}

}  // namespace vrx::ui
