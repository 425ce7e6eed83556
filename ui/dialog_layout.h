// Places controls at their template rectangles.  Where the toolkit decides
// a height (a GTK drop-down list, a label whose font is taller than 8
// units), the control keeps the template's horizontal extent and its
// vertical place in the template, so rows stay aligned.
#pragma once

#include "ui/dialog_units.h"

class wxWindow;

namespace vrx::ui {

// Exactly the template rectangle.
void PlaceControl(wxWindow& control, const DluRect& rect);

// A label whose text starts at the rectangle's top left; it grows to the
// right and downwards when the font needs more room than MS PGothic did.
void PlaceLabel(wxWindow& label, const DluRect& rect);

// A label whose text is vertically centred in the rectangle: the toolkit's
// height, centred on the rectangle's middle (growing right like PlaceLabel).
void PlaceCentredLabel(wxWindow& label, const DluRect& rect);

// Keeps a dialog at its present size: window managers then offer neither
// resizing nor a maximise button.
void FixWindowSize(wxWindow& dialog);

// A drop-down list whose template height is that of the opened list: the
// closed control takes the toolkit's height and is centred on a row of
// `rowHeight` units starting at rect.y (the height of its neighbours).
void PlaceDropDown(wxWindow& list, const DluRect& rect, int rowHeight);

}  // namespace vrx::ui
