// What a dialog unit is made of on this toolkit (backends dialog_metrics_*.cc):
// the dialog font, and the pixels of its average character cell.
#pragma once

#include <wx/font.h>

class wxWindow;

namespace vrx::ui {

// Pixels per 4 horizontal and per 8 vertical dialog units on the screen of
// `window`, in the toolkit's logical pixels.
struct DialogBaseUnits {
  double x = 7.0;
  double y = 12.0;
};
DialogBaseUnits BaseUnits(const wxWindow* window);

}  // namespace vrx::ui
