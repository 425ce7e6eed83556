#include "ui/control_fitting.h"

#include <wx/control.h>
#include <wx/defs.h>
#include <wx/stattext.h>
#include <wx/window.h>

#include <algorithm>

namespace vrx::ui {
namespace {

// Check boxes: the smallest font a label shrinks to.
constexpr double kSmallestPointSize = 7.0;

}  // namespace

CompactCheckBox::CompactCheckBox(wxWindow* parent, int id, const wxString& label,
                                 const wxRect& rect)
    : wxCheckBox(parent, id, wxString()) {
  TrimCheckBox(*this);
  // The style applies at once, a font only once the box is shown: measure
  // the indicator now and the label by its text.
  const int indicatorWidth = GetBestSize().x + CheckBoxLabelSpacing(*this);
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

void PlaceFittedFromRight(wxWindow& control, const DluRect& place) {
  PlaceFitted(control, place);
  const int right = DluRectToPixels(control.GetParent(), place).GetRight();
  control.Move(right + 1 - control.GetSize().x, control.GetPosition().y);
}

void KeepRightOf(wxWindow& control, const wxWindow& before, int gapDlu) {
  // A label's rectangle may be wider than its text; the text is what counts.
  const int width = dynamic_cast<const wxStaticText*>(&before) ? before.GetBestSize().x
                                                                : before.GetSize().x;
  const int leftmost =
      before.GetPosition().x + width + DluToPixels(before.GetParent(), gapDlu, 0).x;
  if (control.GetPosition().x < leftmost) control.Move(leftmost, control.GetPosition().y);
}

}  // namespace vrx::ui
