#include "ui/control_fitting.h"

#include <wx/control.h>
#include <wx/defs.h>
#include <wx/window.h>

#include <algorithm>

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

// Check boxes: the smallest font a label shrinks to.
namespace {

constexpr double kSmallestPointSize = 7.0;
#ifdef __WXGTK3__
constexpr const char* kCompactCheckBoxCss =
    "checkbutton { padding: 0; min-height: 0; }"
    " check { margin: 0 1px 0 0; min-width: 10px; min-height: 10px; }";
// Between the indicator's box and the label GTK keeps a few pixels the
// style cannot reach.
int LabelSpacing(const wxWindow&) { return 4; }
#else
// Windows leaves about a character's width between the box and the label
// (wx's own best size counts it the same way); without it a label that
// seems to fit is clipped.
int LabelSpacing(const wxWindow& box) { return box.GetCharWidth(); }
#endif

}  // namespace

CompactCheckBox::CompactCheckBox(wxWindow* parent, int id, const wxString& label,
                                 const wxRect& rect)
    : wxCheckBox(parent, id, wxString()) {
#ifdef __WXGTK3__
  GTKApplyCssStyle(kCompactCheckBoxCss);
#endif
  // The style applies at once, a font only once the box is shown: measure
  // the indicator now and the label by its text.
  const int indicatorWidth = GetBestSize().x + LabelSpacing(*this);
  auto labelWidth = [&](const wxFont& font) {
    int width = 0;
    int height = 0;
    GetTextExtent(label, &width, &height, nullptr, nullptr, &font);
    return width;
  };
  wxFont font = GetFont();
  while (indicatorWidth + labelWidth(font) > rect.width &&
         font.GetFractionalPointSize() > kSmallestPointSize) {
    font.SetFractionalPointSize(font.GetFractionalPointSize() - 0.5);
  }
  if (font != GetFont()) SetFont(font);
  SetLabel(label);

  const int height = std::max(rect.height, GetBestSize().y);
  SetSize(rect.x, rect.y + (rect.height - height) / 2, rect.width, height);
}

void PlaceFitted(wxWindow& control, const DluRect& place) {
  wxRect rect = DluRectToPixels(control.GetParent(), place);
  control.InvalidateBestSize();
  const wxSize needed = control.GetBestSize();
  if (needed.y > rect.height) {
    rect.y -= (needed.y - rect.height) / 2;
    rect.height = needed.y;
  }
  rect.width = std::max(rect.width, needed.x);
  control.SetSize(rect);
}

}  // namespace vrx::ui
