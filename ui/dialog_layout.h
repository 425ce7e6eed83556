// Places controls at their template rectangles.  Where the toolkit needs
// more height than the template gives (a GTK drop-down list, a label whose
// font is taller than 8 units), the control keeps the template's horizontal
// extent and is centred on the template's vertical middle, so rows stay
// aligned and no control grows into its neighbour's rectangle.
#pragma once

#include "dialog_units.h"

class wxWindow;

namespace vrx::ui {

// Exactly the template rectangle.
void PlaceControl(wxWindow& control, const DluRect& rect);

// At least the toolkit's best height, centred on the rectangle's middle.
void PlaceLabel(wxWindow& label, const DluRect& rect);

// A drop-down list whose template height is that of the opened list: the
// closed control takes the toolkit's height and is centred on a row of
// `rowHeight` units starting at rect.y (the height of its neighbours).
void PlaceDropDown(wxWindow& list, const DluRect& rect, int rowHeight);

}  // namespace vrx::ui
