// GTK 3: the theme's padding trimmed with CSS, per control or for every
// drop-down list of the program.
#include <dlfcn.h>
#include <wx/control.h>
#include <wx/window.h>

#include "ui/control_fitting.h"

namespace vrx::ui {
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

constexpr const char* kTrimmedPaddingCss =
    "entry, button, checkbutton, radiobutton { min-height: 0px;"
    " padding-top: 0px; padding-bottom: 0px; }"
    " button { padding-left: 4px; padding-right: 4px; }"
    " check, radio { margin-top: 0px; margin-bottom: 0px; }";
constexpr const char* kCompactCheckBoxCss =
    "checkbutton { padding: 0; min-height: 0; }"
    " check { margin: 0 1px 0 0; min-width: 10px; min-height: 10px; }";

// wx keeps its CSS helper for derived classes; a pointer to it, formed
// through one, applies it to any window.
struct CssAccess : wxWindow {
  static void Apply(wxWindow& window, const char* css) {
    using Helper = void (wxWindow::*)(const char*);
    (window.*static_cast<Helper>(&CssAccess::GTKApplyCssStyle))(css);
  }
};

}  // namespace

void TrimPadding(wxWindow& control) { CssAccess::Apply(control, kTrimmedPaddingCss); }

void TrimCheckBox(wxWindow& box) { CssAccess::Apply(box, kCompactCheckBoxCss); }

// Between the indicator's box and the label GTK keeps a few pixels the
// style cannot reach.
int CheckBoxLabelSpacing(const wxWindow&) { return 4; }

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

}  // namespace vrx::ui
