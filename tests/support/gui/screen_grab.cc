#include "tests/support/gui/screen_grab.h"

#include <dlfcn.h>
#include <wx/window.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace vrx::test {
namespace {

// GDK is loaded with wx; its development headers are not needed for these.
template <class Function>
Function* Gdk(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_DEFAULT, name));
}

}  // namespace

wxImage GrabShownPixels(const wxWindow& window) {
  auto* rootWindow = Gdk<void*()>("gdk_get_default_root_window");
  auto* fromWindow = Gdk<void*(void*, int, int, int, int)>("gdk_pixbuf_get_from_window");
  auto* pixels = Gdk<unsigned char*(void*)>("gdk_pixbuf_get_pixels");
  auto* rowStride = Gdk<int(void*)>("gdk_pixbuf_get_rowstride");
  auto* channels = Gdk<int(void*)>("gdk_pixbuf_get_n_channels");
  auto* width = Gdk<int(void*)>("gdk_pixbuf_get_width");
  auto* height = Gdk<int(void*)>("gdk_pixbuf_get_height");
  auto* unref = Gdk<void(void*)>("g_object_unref");
  if (!rootWindow || !fromWindow || !pixels || !rowStride || !channels || !width || !height ||
      !unref)
    return {};

  const wxRect rect = window.GetScreenRect();
  void* grab = fromWindow(rootWindow(), rect.x, rect.y, rect.width, rect.height);
  if (!grab) return {};
  // At a GDK_SCALE above 1 the grab has that many device pixels per unit.
  const int columns = width(grab);
  const int rows = height(grab);
  wxImage image(columns, rows, false);
  const unsigned char* source = pixels(grab);
  const int stride = rowStride(grab);
  const int step = channels(grab);
  unsigned char* target = image.GetData();
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x)
      std::memcpy(target + (y * columns + x) * 3, source + y * stride + x * step, 3);
  unref(grab);
  return image;
}

void SaveScreenshotIfAsked(const wxWindow& window, const char* name) {
  const char* folder = std::getenv("VRX_TEST_SCREENSHOTS");
  if (!folder || !*folder) return;
  const char* scale = std::getenv("GDK_SCALE");
  const std::string suffix = scale && std::string(scale) == "2" ? "-scale2" : "";
  const wxImage image = GrabShownPixels(window);
  if (!image.IsOk()) return;
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  image.SaveFile(wxString::FromUTF8(std::string(folder) + "/" + name + suffix + ".png"),
                 wxBITMAP_TYPE_PNG);
}

}  // namespace vrx::test
