#include "ui/dialog_layout.h"

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
  wxRect pixels = DluRectToPixels(label.GetParent(), rect);
  const wxSize best = label.GetBestSize();
  pixels.width = std::max(pixels.width, best.x);
  pixels.height = std::max(pixels.height, best.y);
  label.SetSize(pixels);
}

void PlaceCentredLabel(wxWindow& label, const DluRect& rect) {
  wxRect pixels = DluRectToPixels(label.GetParent(), rect);
  pixels.width = std::max(pixels.width, label.GetBestSize().x);
  label.SetSize(CentredHeight(pixels, label.GetBestSize().y));
}

void FixWindowSize(wxWindow& dialog) {
  const wxSize size = dialog.GetSize();
  dialog.SetSizeHints(size, size);
}

void PlaceDropDown(wxWindow& list, const DluRect& rect, int rowHeight) {
  const wxRect row = DluRectToPixels(list.GetParent(), {rect.x, rect.y, rect.width, rowHeight});
  list.InvalidateBestSize();
  list.SetSize(CentredHeight(row, list.GetBestSize().y));
}

}  // namespace vrx::ui
