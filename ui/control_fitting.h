// Native controls fitted to the small rectangles of the programs' dialog
// templates.  GTK's default theme pads entries, buttons, check boxes and
// drop-down lists well beyond what a template row of 10 to 14 units gives
// (an entry or a button is at least 34 pixels high); everything that trims
// that padding or makes room for what cannot be trimmed lives here.
#pragma once

#include <wx/checkbox.h>

#include <utility>

#include "ui/dialog_units.h"

class wxControl;
class wxWindow;

namespace vrx::ui {

// The toolkit's part (backends control_fitting_gtk.cc, _msw.cc).
// Trims the theme's vertical padding off an entry, button or check box.
void TrimPadding(wxWindow& control);
// Trims a check box to its indicator and its label.
void TrimCheckBox(wxWindow& box);
// The pixels the toolkit keeps between a check box's indicator and label.
int CheckBoxLabelSpacing(const wxWindow& box);

// An entry, button or check box without the theme's vertical padding.
template <class Control>
class Compact : public Control {
 public:
  template <class... Args>
  explicit Compact(Args&&... args) : Control(std::forward<Args>(args)...) {
    TrimPadding(*this);
    this->InvalidateBestSize();
  }
};

// A check box that fits a 12-unit row or a 22-unit "PO7" box: no padding
// and, where the label still does not fit, a font smaller in half points
// (never below 7 pt) rather than an overlap with a neighbour.
class CompactCheckBox : public wxCheckBox {
 public:
  // `rect` is in pixels of `parent`; the box is centred on it vertically
  // when the toolkit needs more height than it gives.
  CompactCheckBox(wxWindow* parent, int id, const wxString& label, const wxRect& rect);
};

// Trims the padding of every drop-down list of the program (and of nothing
// else), so that "COM1" fits the 36 units the template gives its list.
// Idempotent; does nothing on toolkits other than GTK 3.
void UseCompactDropDownLists();

// A long list (the 128 key numbers) opens as a grid of `columns` columns
// instead of a menu as tall as the screen.  Does nothing on toolkits other
// than GTK 3, whose own lists scroll.
void WrapDropDownList(wxControl& list, int columns);

// At the template's rectangle.  A control the toolkit cannot make that low
// keeps its own height, centred on the rectangle; one that needs more width
// for its text grows to the right.
void PlaceFitted(wxWindow& control, const DluRect& rect);
// The same for a control at the right end of a row: it grows to the left.
void PlaceFittedFromRight(wxWindow& control, const DluRect& rect);
// Moves `control` right until it keeps `gapDlu` from `before` (a label:
// from its text), where a longer text (another language's) has pushed
// `before` into it; where the template's places fit, nothing moves.
void KeepRightOf(wxWindow& control, const wxWindow& before, int gapDlu);

}  // namespace vrx::ui
