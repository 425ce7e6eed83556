// A check box that fits the small rectangles of the dialog templates.  GTK's
// default theme makes a check box 20 pixels high and pads its indicator,
// more than a 12-unit row (18 pixels) or a 22-unit "PO7" box allows; this one
// drops the padding and, where the label still does not fit, shrinks its
// font in half points (never below 7 pt) rather than overlap a neighbour.
#pragma once

#include <wx/checkbox.h>

namespace vrx::editor {

class CompactCheckBox : public wxCheckBox {
 public:
  // `rect` is in pixels of `parent`; the box is centred on it vertically
  // when the toolkit needs more height than it gives.
  CompactCheckBox(wxWindow* parent, int id, const wxString& label, const wxRect& rect);
};

}  // namespace vrx::editor
