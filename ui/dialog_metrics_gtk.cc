// GTK: the description's 7 x 12 pixel cell of "ＭＳ Ｐゴシック" 9 pt at 96 DPI,
// drawn with IPAPGothic, which has that font's metrics.
#include <dlfcn.h>

#include "ui/dialog_metrics.h"
#include "ui/dialog_units.h"

namespace vrx::ui {

// GTK scales whole windows by the desktop's scale (GDK_SCALE) itself and
// works in logical pixels; what is left to follow is the resolution it
// renders fonts at (Xft.dpi, GDK_DPI_SCALE).  wx's GetDPI() includes the
// window scale and would scale the layout a second time.
double DpiScale(const wxWindow*) {
  using DefaultScreen = void*();
  using Resolution = double(void*);
  auto* defaultScreen =
      reinterpret_cast<DefaultScreen*>(dlsym(RTLD_DEFAULT, "gdk_screen_get_default"));
  auto* resolution =
      reinterpret_cast<Resolution*>(dlsym(RTLD_DEFAULT, "gdk_screen_get_resolution"));
  void* screen = defaultScreen ? defaultScreen() : nullptr;
  const double dpi = screen && resolution ? resolution(screen) : -1.0;
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

DialogBaseUnits BaseUnits(const wxWindow* window) {
  const double scale = DpiScale(window);
  return {7.0 * scale, 12.0 * scale};
}

wxFont DialogFont() { return wxFont(wxFontInfo(9).FaceName(wxS("IPAPGothic"))); }

}  // namespace vrx::ui
