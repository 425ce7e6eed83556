#include "cgram_page.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/dcclient.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <algorithm>

#include "bit_rate.h"
#include "compact_control.h"
#include "compact_lists.h"
#include "dialog_layout.h"
#include "dialog_units.h"
#include "lcd_test.h"
#include "message_box.h"
#include "message_table.h"
#include "port_names.h"
#include "port_settings.h"
#include "wx_profile.h"

#include "../resources/cgram/dot_off.xpm"
#include "../resources/cgram/dot_on.xpm"

namespace vrx::editor {
namespace {

constexpr int kCharacters = 8;
constexpr int kRows = 8;
constexpr int kColumns = 5;
constexpr int kDotPixels = 16;


// Speed indices 0..5; index 6 (128000) is not offered.
constexpr int kOfferedSpeeds = 6;

// Cell positions in dialog units; every cell is 48 x 88.
struct DluPoint {
  int x;
  int y;
};
constexpr DluPoint kCellOrigins[kCharacters] = {{34, 32},  {112, 32},  {190, 32},  {268, 32},
                                                {34, 144}, {112, 144}, {190, 144}, {268, 144}};
constexpr int kCellWidth = 48;
constexpr int kCellHeight = 88;

// The row below the cells.  The lists' template heights are those of the
// opened lists; closed they take the toolkit's height, centred on the row.
constexpr ui::DluRect kPortLabelRect{122, 252, 20, 10};
constexpr ui::DluRect kPortListRect{142, 252, 40, 98};
constexpr ui::DluRect kSpeedLabelRect{186, 252, 20, 10};
constexpr ui::DluRect kSpeedListRect{206, 252, 38, 84};
constexpr ui::DluRect kBpsLabelRect{246, 252, 20, 10};
constexpr ui::DluRect kTestButtonRect{266, 250, 50, 14};
constexpr int kListRowHeight = 10;
constexpr ui::DluRect kPortDeviceRect{122, 272, 194, 10};

ui::WxConfigProfile Profile() { return ui::WxConfigProfile(*wxConfigBase::Get()); }

wxArrayString PortEntries() {
  wxArrayString entries;
  for (const std::string& name : OfferedPortNames()) entries.Add(ui::FromCore(name));
  return entries;
}

wxArrayString SpeedEntries() {
  wxArrayString entries;
  for (int index = 0; index < kOfferedSpeeds; ++index)
    entries.Add(wxString::Format(wxS("%d"), BitRateForSpeedIndex(index)));
  return entries;
}

}  // namespace

CCGRAMPage::CCGRAMPage(wxWindow* parent, ConfigImage& config)
    : CSheetPage(parent, config), dotOn_(dot_on_xpm), dotOff_(dot_off_xpm) {
  auto profile = Profile();
  const PortSettings settings = ReadPortSettings(profile);
  portName = settings.portName;
  speedIndex = settings.speedIndex;

  ui::UseCompactDropDownLists();
  SetFont(ui::DialogFont());
  SetMinSize(ui::DluRectToPixels(this, 0, 0, 359, 299).GetSize());

  auto label = [this](const char* text, const ui::DluRect& rect) {
    auto* control = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(text), wxDefaultPosition,
                                     wxDefaultSize, wxST_NO_AUTORESIZE);
    ui::PlaceLabel(*control, rect);
    // Labels let presses through to the page, like the cells.
    control->Bind(wxEVT_LEFT_DOWN, &CCGRAMPage::OnMouseDown, this);
    control->Bind(wxEVT_RIGHT_DOWN, &CCGRAMPage::OnMouseDown, this);
    return control;
  };

  for (int c = 0; c < kCharacters; ++c) {
    const wxString number = wxString::Format(wxS("%02d"), c);
    label(number.utf8_str(), {kCellOrigins[c].x, kCellOrigins[c].y - 16, 20, 8});
  }

  label("ポート", kPortLabelRect);
  portList_ = new wxChoice(this, 1150, wxDefaultPosition, wxDefaultSize,
                           PortEntries(), wxCB_SORT);
  label("速度", kSpeedLabelRect);
  speedList_ = new wxChoice(this, 1160, wxDefaultPosition, wxDefaultSize, SpeedEntries());
  label("bps", kBpsLabelRect);
  PlaceDropDownLists();
  testButton_ = new ui::Compact<wxButton>(this, 1149, wxString::FromUTF8("テスト"));
  ui::PlaceControl(*testButton_, kTestButtonRect);

  // Which device the chosen name stands for on this machine.
  portDevice_ = label("", kPortDeviceRect);

  Bind(wxEVT_PAINT, &CCGRAMPage::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CCGRAMPage::OnMouseDown, this);
  Bind(wxEVT_RIGHT_DOWN, &CCGRAMPage::OnMouseDown, this);
  portList_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowPortDevice(); });
  testButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTest(); });

  ControlsFromFields();
}

void CCGRAMPage::PlaceDropDownLists() {
  ui::PlaceDropDown(*portList_, kPortListRect, kListRowHeight);
  ui::PlaceDropDown(*speedList_, kSpeedListRect, kListRowHeight);
}

void CCGRAMPage::OnSetActive() {
  // The toolkit knows a list's height for sure only once it is shown.
  PlaceDropDownLists();
  ControlsFromFields();
}

bool CCGRAMPage::OnKillActive() {
  FieldsFromControls();
  return true;
}

void CCGRAMPage::ShowLoadedConfig() { Refresh(false); }

void CCGRAMPage::ControlsFromFields() {
  // The first entry that begins with the stored name, ignoring case.
  const wxString wanted = wxString::FromUTF8(portName).Upper();
  int port = wxNOT_FOUND;
  for (unsigned i = 0; !wanted.empty() && i < portList_->GetCount(); ++i) {
    if (portList_->GetString(i).Upper().StartsWith(wanted)) {
      port = static_cast<int>(i);
      break;
    }
  }
  portList_->SetSelection(port);
  const bool offered = speedIndex >= 0 && speedIndex < static_cast<int>(speedList_->GetCount());
  speedList_->SetSelection(offered ? speedIndex : wxNOT_FOUND);
  ShowPortDevice();
}

void CCGRAMPage::FieldsFromControls() {
  const int port = portList_->GetSelection();
  portName = port == wxNOT_FOUND ? std::string() : std::string(portList_->GetString(port).utf8_str());
  speedIndex = speedList_->GetSelection();
}

void CCGRAMPage::ShowPortDevice() {
  const int port = portList_->GetSelection();
  const wxString text =
      port == wxNOT_FOUND
          ? wxString()
          : portList_->GetString(port) + wxS(": ") +
                ui::FromCore(DescribePortName(std::string(portList_->GetString(port).utf8_str())));
  portDevice_->SetLabel(text);
  portList_->SetToolTip(text);
}

wxRect CCGRAMPage::CellRect(int character) const {
  const DluPoint origin = kCellOrigins[character];
  wxRect cell = ui::DluRectToPixels(this, origin.x, origin.y, kCellWidth, kCellHeight);
  // Never smaller than the dot grid, so every dot can be clicked.
  cell.width = std::max(cell.width, kColumns * kDotPixels);
  cell.height = std::max(cell.height, kRows * kDotPixels);
  return cell;
}

void CCGRAMPage::SetDotAt(const wxPoint& point, bool lit) {
  modified = true;
  for (int c = 0; c < kCharacters; ++c) {
    const wxRect cell = CellRect(c);
    if (!cell.Contains(point)) continue;
    const int row = (point.y - cell.y) / kDotPixels;
    const int column = (point.x - cell.x) / kDotPixels;
    if (row >= kRows || column >= kColumns) return;
    uint8_t& pattern = config_.cgram[static_cast<size_t>(kRows * c + row)];
    const auto bit = static_cast<uint8_t>(0x10 >> column);
    pattern = static_cast<uint8_t>(lit ? pattern | bit : pattern & ~bit);
    RefreshRect(cell, false);
    return;
  }
}

void CCGRAMPage::OnMouseDown(wxMouseEvent& event) {
  const auto* source = static_cast<wxWindow*>(event.GetEventObject());
  const wxPoint point = source == this ? event.GetPosition()
                                       : ScreenToClient(source->ClientToScreen(event.GetPosition()));
  SetDotAt(point, event.LeftDown());
  event.Skip();
}

void CCGRAMPage::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  DrawCharacters(dc);
}

void CCGRAMPage::DrawCharacters(wxDC& dc) const {
  dc.SetPen(*wxWHITE_PEN);
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  for (int c = 0; c < kCharacters; ++c) {
    const wxRect cell = CellRect(c);
    dc.DrawRectangle(cell);
    for (int row = 0; row < kRows; ++row) {
      const uint8_t pattern = config_.cgram[static_cast<size_t>(kRows * c + row)];
      for (int column = 0; column < kColumns; ++column) {
        const bool lit = (pattern & (0x10 >> column)) != 0;
        dc.DrawBitmap(lit ? dotOn_ : dotOff_, cell.x + kDotPixels * column,
                      cell.y + kDotPixels * row);
      }
    }
  }
}

void CCGRAMPage::OnTest() {
  FieldsFromControls();
  int result = 0;
  std::string cause;
  {
    wxBusyCursor busy;  // the test blocks for up to 2 s per silent byte
    result = RunLcdTest(portName, speedIndex, config_.cgram, linkOptions, &cause);
  }
  if (result != 0) {
    std::string text(EditorMessage(result));
    if (!cause.empty()) text += "\n" + cause;
    ui::ShowMessage(this, ui::FromCore(text));
  }
  SaveTestSettings();
}

void CCGRAMPage::SaveTestSettings() {
  auto profile = Profile();
  WritePortSettings(profile, {portName, speedIndex});
}

}  // namespace vrx::editor
