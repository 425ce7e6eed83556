// Windows: dialog units from the real dialog font, measured the way the
// system measures a dialog's font (average width of the Latin letters,
// height of a line), at the screen's DPI.
#include <wx/dcscreen.h>
#include <wx/window.h>

#include <map>

#include "ui/dialog_metrics.h"
#include "ui/dialog_units.h"

namespace vrx::ui {

double DpiScale(const wxWindow* window) {
  const double dpi = window ? window->GetDPI().y : wxScreenDC().GetPPI().y;
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

namespace {

DialogBaseUnits Measure(const wxWindow* window) {
  wxScreenDC screen;
  wxFont font = DialogFont();
  // A font at 9 pt is measured at the screen's DPI; a window on another
  // monitor asks for its own.
  if (window) font = font.Scaled(static_cast<float>(DpiScale(window) * 96.0 / screen.GetPPI().y));
  screen.SetFont(font);
  wxCoord width = 0;
  wxCoord height = 0;
  screen.GetTextExtent(wxS("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), &width,
                       &height);
  if (width <= 0 || height <= 0) return {7.0 * DpiScale(window), 12.0 * DpiScale(window)};
  // The system rounds the average width the same way: (cx / 26 + 1) / 2.
  return {static_cast<double>((width / 26 + 1) / 2), static_cast<double>(height)};
}

}  // namespace

// Measuring takes a screen DC and a new font, and every control placed in
// dialog units asks four times; a page has dozens.  The font is fixed while
// the program runs, so each DPI is measured once (windows live on the GUI
// thread only).
DialogBaseUnits BaseUnits(const wxWindow* window) {
  static std::map<double, DialogBaseUnits> measured;
  const double key = window ? DpiScale(window) : 0.0;  // 0: the screen's own
  const auto known = measured.find(key);
  if (known != measured.end()) return known->second;
  return measured.emplace(key, Measure(window)).first->second;
}

wxFont DialogFont() {
  return wxFont(wxFontInfo(9).FaceName(wxString::FromUTF8("ＭＳ Ｐゴシック")));
}

}  // namespace vrx::ui
