#include "editor/gui/cgram_page.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <algorithm>

#include "config/port_settings.h"
#include "device/lcd_test.h"
#include "editor/core/editor_message_map.h"
#include "platform/interrupt.h"
#include "resources/message_table.h"
#include "resources/port_messages.h"
#include "resources/ui_texts.h"
#include "ui/control_fitting.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_units.h"
#include "ui/message_box.h"
#include "ui/port_speed_picker.h"
#include "ui/text_conversion.h"

#include "resources/cgram/dot_off.xpm"
#include "resources/cgram/dot_on.xpm"

namespace vrx::editor {
namespace {

constexpr int kCharacters = kCharacterCount;
constexpr int kRows = kCharacterRows;
constexpr int kColumns = kCharacterColumns;

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
constexpr ui::DluRect kLatencyWarningRect{122, 284, 194, 10};

// The test's lists: ports sorted, a remembered name no entry begins with
// shows none.
constexpr ui::PortSpeedPickerStyle kPortSpeedStyle{
    1150, 1160, kPortListRect, kSpeedListRect, kListRowHeight, true, ui::PortMatch::kEntryOrNone};

}  // namespace

CCGRAMPage::CCGRAMPage(wxWindow* parent, ConfigImage& config, ProfileStore& profile)
    : CSheetPage(parent, config), dotOn_(dot_on_xpm), dotOff_(dot_off_xpm), profile_(profile) {
  const PortSettings settings = ReadPortSettings(profile_);
  portName = settings.portName;
  speedIndex = settings.speedIndex;

  ui::UseCompactDropDownLists();
  SetFont(ui::DialogFont());
  SetMinSize(ui::DluRectToPixels(this, 0, 0, 359, 299).GetSize());

  auto label = [this](std::string_view text, const ui::DluRect& rect) {
    auto* control = new wxStaticText(this, wxID_ANY, ui::FromCore(text), wxDefaultPosition,
                                     wxDefaultSize, wxST_NO_AUTORESIZE);
    ui::PlaceLabel(*control, rect);
    // Labels let presses through to the page, like the cells.
    control->Bind(wxEVT_LEFT_DOWN, &CCGRAMPage::OnMouseDown, this);
    control->Bind(wxEVT_RIGHT_DOWN, &CCGRAMPage::OnMouseDown, this);
    return control;
  };

  for (int c = 0; c < kCharacters; ++c) {
    const wxString number = wxString::Format(wxS("%02d"), c);
    labels_[static_cast<size_t>(c)] =
        label(ui::ToCore(number), {kCellOrigins[c].x, kCellOrigins[c].y - 16, 20, 8});
  }

  wxStaticText* portLabel = label(ui_text::PortLabel(), kPortLabelRect);
  wxStaticText* speedLabel = label(ui_text::SpeedLabel(), kSpeedLabelRect);
  portSpeed_ = std::make_unique<ui::PortSpeedPicker>(this, kPortSpeedStyle);
  bpsLabel_ = label("bps", kBpsLabelRect);
  portSpeed_->FlowWith(portLabel, speedLabel, bpsLabel_);
  testButton_ = new ui::Compact<wxButton>(this, 1149, ui::FromCore(ui_text::TestButton()));
  ui::PlaceControl(*testButton_, kTestButtonRect);
  ui::KeepRightOf(*testButton_, *bpsLabel_, 4);  // after a longer word's push

  // Which device the chosen name stands for on this machine.
  portSpeed_->ShowDeviceIn(label("", kPortDeviceRect));
  // And, under it, when that device makes a Write slow.
  portSpeed_->ShowLatencyWarningIn(label("", kLatencyWarningRect));

  Bind(wxEVT_PAINT, &CCGRAMPage::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CCGRAMPage::OnMouseDown, this);
  Bind(wxEVT_RIGHT_DOWN, &CCGRAMPage::OnMouseDown, this);
  Bind(wxEVT_MOTION, &CCGRAMPage::OnMouseMove, this);
  Bind(wxEVT_LEFT_UP, &CCGRAMPage::OnMouseUp, this);
  Bind(wxEVT_RIGHT_UP, &CCGRAMPage::OnMouseUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { EndStroke(); });
  Bind(wxEVT_CONTEXT_MENU, &CCGRAMPage::OnContextMenu, this);
  testButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTest(); });

  ControlsFromFields();
}

CCGRAMPage::~CCGRAMPage() {
  if (HasCapture()) ReleaseMouse();
}

void CCGRAMPage::OnSetActive() {
  // The toolkit knows a list's height for sure only once it is shown.
  portSpeed_->Place();
  ui::KeepRightOf(*testButton_, *bpsLabel_, 4);
  ControlsFromFields();
}

bool CCGRAMPage::OnKillActive() {
  FieldsFromControls();
  return true;
}

void CCGRAMPage::ShowLoadedConfig() { Refresh(false); }

void CCGRAMPage::ControlsFromFields() { portSpeed_->Show({portName, speedIndex}); }

void CCGRAMPage::FieldsFromControls() {
  const PortSettings chosen = portSpeed_->Chosen();
  portName = chosen.portName;
  speedIndex = chosen.speedIndex;
}

wxRect CCGRAMPage::CellRect(int character) const {
  const DluPoint origin = kCellOrigins[character];
  wxRect cell = ui::DluRectToPixels(this, origin.x, origin.y, kCellWidth, kCellHeight);
  // Never smaller than the dot grid, so every dot can be clicked.
  cell.width = std::max(cell.width, kColumns * kDotPixels);
  cell.height = std::max(cell.height, kRows * kDotPixels);
  return cell;
}

DotGrid CCGRAMPage::Grid() const {
  std::array<PixelRect, kCharacters> cells{};
  for (int c = 0; c < kCharacters; ++c) {
    const wxRect cell = CellRect(c);
    cells[static_cast<size_t>(c)] = {cell.x, cell.y, cell.width, cell.height};
  }
  return DotGrid(cells);
}

int CCGRAMPage::CharacterAt(const wxPoint& point) const {
  for (int c = 0; c < kCharacters; ++c)
    if (labels_[static_cast<size_t>(c)]->GetRect().Contains(point)) return c;
  return Grid().CharacterAt({point.x, point.y});
}

void CCGRAMPage::PaintDots(const std::vector<DotPlace>& dots) {
  for (const DotPlace& dot : dots) {
    if (PaintDot(config_.cgram, dot.character, dot.row, dot.column, stroke_->lit))
      RefreshRect(CellRect(dot.character), false);
  }
}

void CCGRAMPage::SetDotAt(const wxPoint& point, bool lit) {
  BeginStroke(point, lit);
  EndStroke();
}

void CCGRAMPage::BeginStroke(const wxPoint& point, bool lit) {
  if (stroke_) EndStroke();
  BeginEdit();
  const std::optional<DotPlace> dot = Grid().DotAt({point.x, point.y});
  stroke_ = Stroke{lit, point, dot ? dot->character : -1};
  if (dot) PaintDots({*dot});
}

void CCGRAMPage::ContinueStroke(const wxPoint& point) {
  if (!stroke_) return;
  PaintDots(Grid().DotsAlong({stroke_->last.x, stroke_->last.y}, {point.x, point.y}));
  stroke_->last = point;
}

void CCGRAMPage::EndStroke() {
  if (!stroke_) return;
  const int character = stroke_->character;
  stroke_.reset();
  if (HasCapture()) ReleaseMouse();
  EndEdit(character);
}

wxPoint CCGRAMPage::PagePoint(const wxMouseEvent& event) const {
  const auto* source = static_cast<wxWindow*>(event.GetEventObject());
  return source == this ? event.GetPosition()
                        : ScreenToClient(source->ClientToScreen(event.GetPosition()));
}

void CCGRAMPage::OnMouseDown(wxMouseEvent& event) {
  BeginStroke(PagePoint(event), event.LeftDown());
  // Held while the button is down, so that a drag off the page still ends.
  if (!HasCapture()) CaptureMouse();
  event.Skip();
}

void CCGRAMPage::OnMouseMove(wxMouseEvent& event) {
  // A stroke lasts from the press to the release or the loss of the mouse.
  if (stroke_) ContinueStroke(PagePoint(event));
  event.Skip();
}

void CCGRAMPage::OnMouseUp(wxMouseEvent& event) {
  // The last stretch, should its motion not have been reported.
  if (stroke_) ContinueStroke(PagePoint(event));
  EndStroke();
  event.Skip();
}

void CCGRAMPage::OnContextMenu(wxContextMenuEvent& event) {
  // From the menu key or Shift+F10 the event has no place: the mouse's.
  const wxPoint point = event.GetPosition() == wxDefaultPosition
                            ? ScreenToClient(wxGetMousePosition())
                            : ScreenToClient(event.GetPosition());
  const int character = CharacterAt(point);
  const bool onLabel =
      character >= 0 && labels_[static_cast<size_t>(character)]->GetRect().Contains(point);
  const bool fromKeyboard = event.GetPosition() == wxDefaultPosition;
  if (character >= 0 && (onLabel || fromKeyboard)) {
    EndStroke();  // the menu takes the button's release
    ShowCharacterMenu(character);
    return;
  }
  // A right-click on a dot only clears it (and may go on as a drag); the
  // rest of the page is the sheet's.
  if (character < 0) {
    EndStroke();
    event.Skip();
  }
}

void CCGRAMPage::ShowCharacterMenu(int character) {
  using editor_text::CharacterTool;
  constexpr int kFirstToolId = wxID_HIGHEST + 1;
  wxMenu menu;
  for (int tool = 0; tool < editor_text::kCharacterToolCount; ++tool) {
    const auto which = static_cast<CharacterTool>(tool);
    // Separators between clear/invert, the shifts, the mirrors and the clipboard.
    if (which == CharacterTool::kShiftUp || which == CharacterTool::kMirrorLeftRight ||
        which == CharacterTool::kCopy)
      menu.AppendSeparator();
    menu.Append(kFirstToolId + tool, ui::FromCore(editor_text::CharacterToolLabel(which)));
  }
  const int chosen = GetPopupMenuSelectionFromUser(menu);
  if (chosen >= kFirstToolId && chosen < kFirstToolId + editor_text::kCharacterToolCount)
    ApplyTool(character, static_cast<CharacterTool>(chosen - kFirstToolId));
}

void CCGRAMPage::ApplyTool(int character, editor_text::CharacterTool tool) {
  using editor_text::CharacterTool;
  const Character rows = CharacterOf(config_.cgram, character);
  std::optional<Character> result;
  if (tool == CharacterTool::kCopy) {
    if (wxTheClipboard->Open()) {
      wxTheClipboard->SetData(new wxTextDataObject(ui::FromCore(CharacterToText(rows))));
      wxTheClipboard->Close();
    }
    return;
  }
  if (tool == CharacterTool::kPaste) {
    wxTextDataObject text;
    if (wxTheClipboard->Open()) {
      if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) wxTheClipboard->GetData(text);
      wxTheClipboard->Close();
    }
    result = CharacterFromText(ui::ToCore(text.GetText()), rows);
    if (!result) {
      wxBell();  // no character drawing on the clipboard
      return;
    }
  } else {
    result = ApplyCharacterTool(rows, tool);
  }
  RecordEdit(character, [&] { StoreCharacter(config_.cgram, character, *result); });
  RefreshRect(CellRect(character), false);
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
  LcdTestResult result = LcdTestResult::kOk;
  PortDiagnosis cause;
  {
    wxBusyCursor busy;  // the test blocks for up to 2 s per silent byte
    // A signal stops the test between two commands; the program then ends
    // by it, after the port is closed (the scope outlives the test).
    const InterruptScope catchInterrupts;
    SerialOptions options = linkOptions;
    if (!options.cancelled) options.cancelled = InterruptRequested;
    result = RunLcdTest(portName, speedIndex, config_.cgram, options, &cause);
  }
  if (result != LcdTestResult::kOk) {
    std::string text(EditorMessage(EditorMessageFor(result)));
    if (const std::string causeLine = port_msg::CauseText(cause); !causeLine.empty())
      text += "\n" + causeLine;
    ui::ShowMessage(this, ui::FromCore(text));
  }
  SaveTestSettings();
}

void CCGRAMPage::SaveTestSettings() { WritePortSettings(profile_, {portName, speedIndex}); }

}  // namespace vrx::editor
