#include "editor/gui/key_matrix.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>
#include <array>

#include "config/config_image.h"
#include "editor/core/key_description.h"
#include "ui/dialog_units.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

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

const wxColour kLineColour(0, 0, 0);
const wxColour kBlockColour(0xFF, 0xD0, 0xD0);  // pale red: COL3..COL8 of ROW0..ROW3
constexpr int kLabelPoints = 7;

}  // namespace

KeyMatrix::KeyMatrix(wxWindow* parent, int firstButtonId,
                     const std::array<KeyEntry, kKeyCount>& keys)
    : wxControl(parent, wxID_ANY, ui::DluToPixels(parent, kPictureX, kPictureY),
                ui::DluRectToPixels(parent, kPictureX, kPictureY, kPictureWidth, kPictureHeight)
                    .GetSize(),
                wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      firstButtonId_(firstButtonId),
      keys_(keys) {
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

wxPoint KeyMatrix::KeyCentre(int key) const {
  const wxRect button = KeyButtonRect(key);
  return {button.x + button.width / 2, button.y + button.height / 2};
}

void KeyMatrix::DrawGrid(wxDC& dc) const {
  // Drawn, not a bitmap, so that it is sharp at any scale of the screen; the
  // lines run through the buttons' centres by construction.
  const int left = KeyCentre(0).x;
  const int right = KeyCentre(kColumns - 1).x;
  const int bottom = KeyCentre(0).y;
  const int top = KeyCentre(kKeyCount - 1).y;
  const int overhangX = (right - left) * 3 / (4 * (kColumns - 1));
  const int overhangY = (bottom - top) * 3 / (4 * (kRows - 1));
  const auto columnX = [this](int column) { return KeyCentre(column).x; };
  const auto rowY = [this](int row) { return KeyCentre(row * kColumns).y; };

  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(kBlockColour));
  const int blockLeft = (columnX(2) + columnX(3)) / 2;
  const int blockRight = (columnX(8) + columnX(9)) / 2;
  const int blockTop = (rowY(3) + rowY(4)) / 2;
  dc.DrawRectangle(blockLeft, blockTop, blockRight - blockLeft, bottom + overhangY - blockTop);

  dc.SetPen(wxPen(kLineColour, 1));
  for (int column = 0; column < kColumns; ++column)
    dc.DrawLine(columnX(column), top - overhangY, columnX(column), bottom + overhangY + 1);
  for (int row = 0; row < kRows; ++row)
    dc.DrawLine(left - overhangX, rowY(row), right + overhangX + 1, rowY(row));

  wxFont font = GetParent()->GetFont();
  font.SetPointSize(kLabelPoints);
  dc.SetFont(font);
  dc.SetTextForeground(kLineColour);
  const int lineHeight = dc.GetCharHeight();
  for (int column = 0; column < kColumns; ++column) {
    // Slanted up to the right, its baseline starting just left of the line.
    const double slant = lineHeight * 0.7071;
    dc.DrawRotatedText(wxString::Format(wxS("COL%d"), column),
                       columnX(column) - 2 - static_cast<int>(slant),
                       top - overhangY - 4 - static_cast<int>(slant), 45);
  }
  for (int row = 0; row < kRows; ++row)
    dc.DrawText(wxString::Format(wxS("ROW%d"), row), right + overhangX + 6,
                rowY(row) - lineHeight / 2);
}

void KeyMatrix::Render(wxDC& dc, bool focused) {
  dc.SetBackground(GetParent()->GetBackgroundColour());
  dc.Clear();
  DrawGrid(dc);

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
