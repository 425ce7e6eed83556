#include "compact_lists.h"

#include <wx/control.h>
#include <wx/defs.h>

#ifdef __WXGTK3__
#include <dlfcn.h>
#endif

namespace vrx::ui {

#ifdef __WXGTK3__
namespace {

constexpr const char* kCompactListCss =
    "combobox button.combo { padding: 0px 2px; min-height: 0px; }"
    " combobox arrow { min-width: 10px; min-height: 10px; }";
constexpr unsigned kApplicationPriority = 600;  // GTK_STYLE_PROVIDER_PRIORITY_APPLICATION

// GTK is already loaded by wx; its development headers are not needed for
// the four calls made here.
template <class Function>
Function* Gtk(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_DEFAULT, name));
}

}  // namespace

void UseCompactDropDownLists() {
  static bool installed = false;
  if (installed) return;
  using NewProvider = void*();
  using LoadData = int(void*, const char*, long, void**);
  using DefaultScreen = void*();
  using AddForScreen = void(void*, void*, unsigned);
  auto* newProvider = Gtk<NewProvider>("gtk_css_provider_new");
  auto* loadData = Gtk<LoadData>("gtk_css_provider_load_from_data");
  auto* defaultScreen = Gtk<DefaultScreen>("gdk_screen_get_default");
  auto* addForScreen = Gtk<AddForScreen>("gtk_style_context_add_provider_for_screen");
  if (!newProvider || !loadData || !defaultScreen || !addForScreen) return;
  void* screen = defaultScreen();
  if (!screen) return;
  void* provider = newProvider();
  loadData(provider, kCompactListCss, -1, nullptr);
  addForScreen(screen, provider, kApplicationPriority);
  installed = true;
}

void WrapDropDownList(wxControl& list, int columns) {
  using SetWrapWidth = void(void*, int);
  auto* setWrapWidth = Gtk<SetWrapWidth>("gtk_combo_box_set_wrap_width");
  if (setWrapWidth && list.GetHandle()) setWrapWidth(list.GetHandle(), columns);
}
#else
void UseCompactDropDownLists() {}
void WrapDropDownList(wxControl&, int) {}
#endif

}  // namespace vrx::ui
