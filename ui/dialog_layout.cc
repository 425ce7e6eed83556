#include "dialog_layout.h"

#include <wx/window.h>

#include <algorithm>

namespace vrx::ui {
namespace {

// `pixels` with its height replaced by `height`, keeping the vertical middle.
wxRect CentredHeight(const wxRect& pixels, int height) {
  return {pixels.x, pixels.y + (pixels.height - height) / 2, pixels.width, height};
}

}  // namespace

void PlaceControl(wxWindow& control, const DluRect& rect) {
  const wxRect pixels = DluRectToPixels(control.GetParent(), rect);
  control.SetSize(pixels);
}

void PlaceLabel(wxWindow& label, const DluRect& rect) {
  const wxRect pixels = DluRectToPixels(label.GetParent(), rect);
  const int height = std::max(pixels.height, label.GetBestSize().y);
  label.SetSize(CentredHeight(pixels, height));
}

void PlaceDropDown(wxWindow& list, const DluRect& rect, int rowHeight) {
  const wxRect row = DluRectToPixels(list.GetParent(), {rect.x, rect.y, rect.width, rowHeight});
  list.InvalidateBestSize();
  list.SetSize(CentredHeight(row, list.GetBestSize().y));
}

}  // namespace vrx::ui
