#include "editor/gui/option_page.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "config/brr_value.h"
#include "editor/core/option_fields.h"
#include "resources/editor_texts.h"
#include "ui/control_fitting.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_units.h"
#include "ui/port_speed_picker.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

// Boxes 1152..1158, for optionWord bits 0..6, all at x 70: their rows and
// widths.
struct OptionBoxLayout {
  int y;
  int width;
};
constexpr OptionBoxLayout kOptionBoxes[COptionPage::kOptionBoxCount] = {
    {28, 212}, {40, 212}, {52, 212}, {64, 212}, {76, 212}, {88, 216}, {100, 212}};
constexpr int kOptionBoxX = 70;
constexpr int kOptionBoxHeight = 12;

// PO4..PO7 stand right to left, like the bits of the byte.
constexpr int kPoBoxX[COptionPage::kPoBoxCount] = {146, 124, 100, 76};
constexpr const char* kPoBoxLabels[COptionPage::kPoBoxCount] = {"PO4", "PO5", "PO6", "PO7"};

wxRect DluRect(const wxWindow* window, int x, int y, int width, int height) {
  return ui::DluRectToPixels(window, x, y, width, height);
}

constexpr int kSpeedRowY = 134;
constexpr int kSpeedRowHeight = 12;

}  // namespace

COptionPage::COptionPage(wxWindow* parent, ConfigImage& config) : CSheetPage(parent, config) {
  SetFont(ui::DialogFont());
  CreateControls();
  Bind(wxEVT_CHECKBOX, &COptionPage::OnControlChanged, this, kFirstControlId, kLastControlId);
  Bind(wxEVT_CHOICE, &COptionPage::OnControlChanged, this, kFirstControlId, kLastControlId);
  RecordToControls();
}

void COptionPage::CreateControls() {
  for (int bit = 0; bit < kOptionBoxCount; ++bit) {
    const OptionBoxLayout& box = kOptionBoxes[bit];
    const wxRect rect = DluRect(this, kOptionBoxX, box.y, box.width, kOptionBoxHeight);
    optionBoxes_[bit] = new ui::CompactCheckBox(
        this, kFirstOptionBoxId + bit, ui::FromCore(editor_text::OptionFlagLabel(bit)), rect);
  }

  // The template gives the opened list's height; closed, the list takes
  // GTK's height, centred with its two labels on one 12-unit row.
  speedList_ =
      new wxChoice(this, kSpeedListId, wxDefaultPosition, wxDefaultSize, ui::OfferedSpeedEntries());
  ui::PlaceDropDown(*speedList_, {105, kSpeedRowY, 46, 101}, kSpeedRowHeight);
  auto* speedLabel = new wxStaticText(this, wxID_ANY, ui::FromCore(editor_text::SpeedLabel()));
  ui::PlaceCentredLabel(*speedLabel, {70, kSpeedRowY, 0, kSpeedRowHeight});
  auto* bpsLabel = new wxStaticText(this, wxID_ANY, wxS("bps"));
  ui::PlaceCentredLabel(*bpsLabel, {157, kSpeedRowY, 0, kSpeedRowHeight});
  ui::KeepRightOf(*speedList_, *speedLabel, 4);  // a longer word for 速度
  ui::KeepRightOf(*bpsLabel, *speedList_, 4);

  const wxRect groupRect = DluRect(this, 70, 156, 104, 34);
  new wxStaticBox(this, wxID_ANY, ui::FromCore(editor_text::PoInitialLabel()),
                  groupRect.GetPosition(), groupRect.GetSize());
  for (int i = 0; i < kPoBoxCount; ++i) {
    const wxRect rect = DluRect(this, kPoBoxX[i], 170, 22, 16);
    poBoxes_[i] = new ui::CompactCheckBox(this, kPo4BoxId + i, ui::FromCore(kPoBoxLabels[i]), rect);
  }
}

void COptionPage::RecordToControls() {
  if (const std::optional<int> entry = SpeedEntryForBrrValue(config_.brrValue))
    speedList_->SetSelection(*entry);  // -1 is wxNOT_FOUND: no entry selected
  for (int bit = 0; bit < kOptionBoxCount; ++bit)
    optionBoxes_[bit]->SetValue(OptionFlag(config_, bit));
  for (int i = 0; i < kPoBoxCount; ++i) poBoxes_[i]->SetValue(PoLevel(config_, i));
  // What the controls show, for the undo step of the next click.
  shown_ = config_;
  PendingInto(shown_);
}

void COptionPage::ControlsToRecord() {
  PendingInto(config_);
  CopyOptionFields(config_, shown_);
}

bool COptionPage::PendingInto(ConfigImage& config) const {
  for (int bit = 0; bit < kOptionBoxCount; ++bit)
    SetOptionFlag(config, bit, optionBoxes_[bit]->GetValue());
  for (int i = 0; i < kPoBoxCount; ++i) SetPoLevel(config, i, poBoxes_[i]->GetValue());
  config.brrValue = BrrValueForSpeedIndex(speedList_->GetSelection());
  return true;
}

bool COptionPage::OnKillActive() {
  ControlsToRecord();
  return true;
}

void COptionPage::OnSetActive() { RecordToControls(); }

bool COptionPage::CommitBeforeSave() {
  ControlsToRecord();
  return true;
}

void COptionPage::ShowLoadedConfig() { RecordToControls(); }

void COptionPage::OnControlChanged(wxCommandEvent& event) {
  // One undo step per click, while the record itself takes the controls
  // over only when the page is left or saved.
  ConfigImage before = config_;
  CopyOptionFields(shown_, before);
  ConfigImage after = config_;
  PendingInto(after);
  if (recorder) recorder->RecordChange(*this, -1, before, after);
  CopyOptionFields(after, shown_);
  event.Skip();
}

}  // namespace vrx::editor
