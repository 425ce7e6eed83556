#include "ui/dialog_units.h"
#include "ui/text_conversion.h"

#include <wx/window.h>

#include <cmath>

#include "ui/dialog_metrics.h"

namespace vrx::ui {

int DluXToPixels(const wxWindow* window, int x) {
  return static_cast<int>(std::lround(x * BaseUnits(window).x / 4.0));
}

int DluYToPixels(const wxWindow* window, int y) {
  return static_cast<int>(std::lround(y * BaseUnits(window).y / 8.0));
}

wxPoint DluToPixels(const wxWindow* window, int x, int y) {
  return {DluXToPixels(window, x), DluYToPixels(window, y)};
}

wxRect DluRectToPixels(const wxWindow* window, int x, int y, int width, int height) {
  // Convert the edges, not the size, so neighbouring controls never overlap
  // through rounding.
  const wxPoint topLeft = DluToPixels(window, x, y);
  const wxPoint bottomRight = DluToPixels(window, x + width, y + height);
  return {topLeft, wxSize(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y)};
}

wxRect DluRectToPixels(const wxWindow* window, const DluRect& rect) {
  return DluRectToPixels(window, rect.x, rect.y, rect.width, rect.height);
}

}  // namespace vrx::ui
