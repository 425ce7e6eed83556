#include "compact_check_box.h"

#include <algorithm>

namespace vrx::editor {
namespace {

constexpr double kSmallestPointSize = 7.0;
#ifdef __WXGTK3__
constexpr const char* kCompactStyle =
    "checkbutton { padding: 0; min-height: 0; }"
    " check { margin: 0 1px 0 0; min-width: 10px; min-height: 10px; }";
// Between the indicator's box and the label GTK keeps a few pixels the
// style cannot reach.
constexpr int kLabelSpacing = 4;
#else
constexpr int kLabelSpacing = 0;
#endif

}  // namespace

CompactCheckBox::CompactCheckBox(wxWindow* parent, int id, const wxString& label,
                                 const wxRect& rect)
    : wxCheckBox(parent, id, wxString()) {
#ifdef __WXGTK3__
  GTKApplyCssStyle(kCompactStyle);
#endif
  // The style applies at once, a font only once the box is shown: measure
  // the indicator now and the label by its text.
  const int indicatorWidth = GetBestSize().x + kLabelSpacing;
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

}  // namespace vrx::editor
