#include "dialog_units.h"
#include "text_conversion.h"

#include <wx/window.h>

#include <cmath>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace vrx::ui {
namespace {

// Average character cell of the dialog font at 96 DPI.
constexpr double kBaseUnitX = 7.0;   // pixels per 4 horizontal units
constexpr double kBaseUnitY = 12.0;  // pixels per 8 vertical units

#ifdef __WXGTK__
// GTK scales whole windows by the desktop's scale (GDK_SCALE) itself and
// works in logical pixels; what is left to follow is the resolution it
// renders fonts at (Xft.dpi, GDK_DPI_SCALE).  wx's GetDPI() includes the
// window scale and would scale the layout a second time.
double ScreenDpi(const wxWindow*) {
  using DefaultScreen = void*();
  using Resolution = double(void*);
  auto* defaultScreen = reinterpret_cast<DefaultScreen*>(dlsym(RTLD_DEFAULT, "gdk_screen_get_default"));
  auto* resolution = reinterpret_cast<Resolution*>(dlsym(RTLD_DEFAULT, "gdk_screen_get_resolution"));
  void* screen = defaultScreen ? defaultScreen() : nullptr;
  return screen && resolution ? resolution(screen) : -1.0;
}
#else
double ScreenDpi(const wxWindow* window) { return window ? window->GetDPI().y : -1.0; }
#endif

}  // namespace

double DpiScale(const wxWindow* window) {
  const double dpi = ScreenDpi(window);
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

int DluXToPixels(const wxWindow* window, int x) {
  return static_cast<int>(std::lround(x * kBaseUnitX * DpiScale(window) / 4.0));
}

int DluYToPixels(const wxWindow* window, int y) {
  return static_cast<int>(std::lround(y * kBaseUnitY * DpiScale(window) / 8.0));
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

wxFont DialogFont() {
#ifdef __WXMSW__
  const wxString face = FromCore("ＭＳ Ｐゴシック");
#else
  const wxString face = wxS("IPAPGothic");
#endif
  return wxFont(wxFontInfo(9).FaceName(face));
}

}  // namespace vrx::ui
