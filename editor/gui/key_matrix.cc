#include "editor/gui/key_matrix.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "config/config_image.h"
#include "editor/core/key_description.h"
#include "ui/dialog_metrics.h"
#include "ui/dialog_units.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

constexpr uint8_t kPicturePng[] = {
#include "resources/keymap/key_matrix_png.inc"
};

constexpr int kColumns = 16;
constexpr int kRows = 8;
constexpr int kButtonSize = 12;  // dialog units, square
// Key buttons' left and top edges in the page's dialog units; row 0 is the
// bottom row.  The picture's grid lines pass through the buttons' centres.
constexpr std::array<int, kColumns> kColumnLeft = {23,  39,  56,  73,  89,  106, 123, 139,
                                                   156, 173, 190, 207, 223, 240, 257, 273};
constexpr std::array<int, kRows> kRowTop = {184, 168, 152, 136, 120, 104, 88, 72};
// The picture's place on the page.
constexpr int kPictureX = 6;
constexpr int kPictureY = 16;
constexpr int kPictureWidth = 345;
constexpr int kPictureHeight = 194;

// The picture is drawn for base units of 7 x 12 pixels (the Linux build's at
// 96 DPI).  Other base units (a higher DPI, or Windows' real dialog font,
// whose line is taller) stretch it by the same ratios as the buttons'
// places, so that its grid lines still meet the buttons' centres.
constexpr double kPictureBaseX = 7.0;
constexpr double kPictureBaseY = 12.0;

wxBitmap LoadPicture(const ui::DialogBaseUnits& units) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxMemoryInputStream stream(kPicturePng, sizeof kPicturePng);
  wxImage image(stream, wxBITMAP_TYPE_PNG);
  const double scaleX = units.x / kPictureBaseX;
  const double scaleY = units.y / kPictureBaseY;
  if (image.IsOk() && (scaleX != 1.0 || scaleY != 1.0)) {
    image.Rescale(static_cast<int>(image.GetWidth() * scaleX + 0.5),
                  static_cast<int>(image.GetHeight() * scaleY + 0.5), wxIMAGE_QUALITY_HIGH);
  }
  return wxBitmap(image);
}

}  // namespace

KeyMatrix::KeyMatrix(wxWindow* parent, int firstButtonId,
                     const std::array<KeyEntry, kKeyCount>& keys)
    : wxControl(parent, wxID_ANY, ui::DluToPixels(parent, kPictureX, kPictureY),
                ui::DluRectToPixels(parent, kPictureX, kPictureY, kPictureWidth, kPictureHeight)
                    .GetSize(),
                wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      firstButtonId_(firstButtonId),
      keys_(keys),
      picture_(LoadPicture(ui::BaseUnits(parent))) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &KeyMatrix::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &KeyMatrix::OnLeftDown, this);
  Bind(wxEVT_KEY_DOWN, &KeyMatrix::OnKeyDown, this);
  Bind(wxEVT_MOTION, &KeyMatrix::OnMotion, this);
  Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
    hoveredKey_ = -1;
    UnsetToolTip();
    event.Skip();
  });
  // The sheet's about menu is for clicks on the sheet itself.
  Bind(wxEVT_CONTEXT_MENU, [](wxContextMenuEvent&) {});
  Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
    Refresh();
    event.Skip();
  });
  Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
    Refresh();
    event.Skip();
  });
}

void KeyMatrix::SetSelection(int key) {
  if (key < 0 || key >= kKeyCount || key == selection_) return;
  selection_ = key;
  Refresh();
}

wxRect KeyMatrix::KeyButtonRect(int key) const {
  const auto index = static_cast<size_t>(key);
  wxRect rect = ui::DluRectToPixels(GetParent(), kColumnLeft[index % kColumns],
                                    kRowTop[index / kColumns], kButtonSize, kButtonSize);
  rect.Offset(-ui::DluToPixels(GetParent(), kPictureX, kPictureY));
  return rect;
}

int KeyMatrix::KeyAt(const wxPoint& point) const {
  for (int key = 0; key < kKeyCount; ++key) {
    if (KeyButtonRect(key).Contains(point)) return key;
  }
  return -1;
}

void KeyMatrix::Choose(int key) {
  SetSelection(key);
  wxCommandEvent command(wxEVT_RADIOBUTTON, firstButtonId_ + key);
  command.SetEventObject(this);
  command.SetInt(key);
  ProcessWindowEvent(command);
}

void KeyMatrix::SetKeyMarks(std::function<KeyMark(int key)> marks) {
  marks_ = std::move(marks);
  Refresh();
}

void KeyMatrix::EmphasizeSelection(bool on) {
  emphasizeSelection_ = on;
  Refresh();
}

void KeyMatrix::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  Render(dc, HasFocus());
}

void KeyMatrix::Render(wxDC& dc, bool focused) {
  dc.SetBackground(GetParent()->GetBackgroundColour());
  dc.Clear();
  if (picture_.IsOk()) dc.DrawBitmap(picture_, 0, 0);

  wxRendererNative& renderer = wxRendererNative::Get();
  const wxSize indicator = renderer.GetCheckBoxSize(this);
  // A node with codes: a filled disk behind the radio button, large enough
  // to show around it.
  const wxColour assigned(0x20, 0x60, 0xD0);
  dc.SetPen(wxPen(assigned));
  dc.SetBrush(wxBrush(assigned));
  for (int key = 0; key < kKeyCount; ++key) {
    const wxRect button = KeyButtonRect(key);
    const wxRect mark(button.GetLeft() + (button.GetWidth() - indicator.x) / 2,
                      button.GetTop() + (button.GetHeight() - indicator.y) / 2, indicator.x,
                      indicator.y);
    if (HasCodes(keys_[static_cast<size_t>(key)])) {
      const wxPoint centre(mark.GetLeft() + mark.GetWidth() / 2,
                           mark.GetTop() + mark.GetHeight() / 2);
      dc.DrawCircle(centre, std::max(mark.GetWidth(), mark.GetHeight()) / 2 + 3);
    }
    if (const KeyMark extra = marks_ ? marks_(key) : KeyMark::kNone; extra != KeyMark::kNone) {
      // Done and pressed keys: a green ring around the node; the keys of
      // the last key event: an orange one, wider.
      const bool lit = extra == KeyMark::kLit;
      dc.SetPen(wxPen(lit ? wxColour(0xF0, 0x80, 0x00) : wxColour(0x10, 0xA0, 0x30),
                      FromDIP(lit ? 3 : 2)));
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
      const wxPoint centre(mark.GetLeft() + mark.GetWidth() / 2,
                           mark.GetTop() + mark.GetHeight() / 2);
      dc.DrawCircle(centre, std::max(mark.GetWidth(), mark.GetHeight()) / 2 + FromDIP(lit ? 6 : 5));
      dc.SetPen(wxPen(assigned));
      dc.SetBrush(wxBrush(assigned));
    }
    renderer.DrawRadioBitmap(this, dc, mark, key == selection_ ? int{wxCONTROL_CHECKED} : 0);
  }
  if (emphasizeSelection_) {
    dc.SetPen(wxPen(wxColour(0xD0, 0x20, 0x20), FromDIP(2)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(KeyButtonRect(selection_).Inflate(FromDIP(3)));
  }
  if (focused) {
    // A dotted frame of our own: the theme's focus outline is too faint to
    // find on the picture.
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT), 1, wxPENSTYLE_DOT));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(KeyButtonRect(selection_).Inflate(1));
  }
}

void KeyMatrix::OnLeftDown(wxMouseEvent& event) {
  SetFocus();
  if (const int key = KeyAt(event.GetPosition()); key >= 0) Choose(key);
}

void KeyMatrix::OnMotion(wxMouseEvent& event) {
  const int key = KeyAt(event.GetPosition());
  if (key != hoveredKey_) {
    hoveredKey_ = key;
    if (key < 0)
      UnsetToolTip();
    else
      SetToolTip(ui::FromCore(KeyTooltipText(key, keys_[static_cast<size_t>(key)])));
  }
  event.Skip();
}

void KeyMatrix::OnKeyDown(wxKeyEvent& event) {
  const int column = selection_ % kColumns;
  const int row = selection_ / kColumns;
  int target = -1;
  switch (event.GetKeyCode()) {
    case WXK_LEFT:
      target = column > 0 ? selection_ - 1 : -1;
      break;
    case WXK_RIGHT:
      target = column < kColumns - 1 ? selection_ + 1 : -1;
      break;
    // Row 0 is drawn at the bottom.
    case WXK_UP:
      target = row < kRows - 1 ? selection_ + kColumns : -1;
      break;
    case WXK_DOWN:
      target = row > 0 ? selection_ - kColumns : -1;
      break;
    case WXK_SPACE:
      target = selection_;
      break;
    default:
      event.Skip();
      return;
  }
  if (target >= 0) Choose(target);
}

}  // namespace vrx::editor
