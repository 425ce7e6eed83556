#include "editor/gui/key_map_page.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <algorithm>
#include <cstdlib>

#include "config/code_text.h"
#include "editor/core/capture_table.h"
#include "editor/gui/key_capture.h"
#include "editor/gui/key_matrix.h"
#include "platform/sjis.h"
#include "resources/message_table.h"
#include "resources/ui_texts.h"
#include "ui/control_fitting.h"
#include "ui/dialog_layout.h"
#include "ui/dialog_units.h"
#include "ui/message_box.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

// The page's template, in dialog units.
constexpr ui::DluRect kNumberList = {30, 224, 35, 90};
constexpr int kNumberRowHeight = 14;  // the row it shares with キャプチャ
constexpr ui::DluRect kCaptureButton = {67, 224, 45, 14};
constexpr ui::DluRect kTypematicBox = {116, 226, 62, 10};
constexpr ui::DluRect kMakeBox = {30, 240, 320, 12};
constexpr ui::DluRect kBreakBox = {30, 254, 320, 12};

void AddLabel(wxWindow* page, const char* text, int x, int y) {
  new wxStaticText(page, wxID_ANY, ui::FromCore(text), ui::DluToPixels(page, x, y));
}

// Code texts are kept as code page 932 bytes; a text with no such form can
// never be valid.
std::optional<std::string> CodeTextOf(const wxTextCtrl* box) {
  std::optional<std::string> text = Utf8ToCp932(ui::ToCore(box->GetValue()));
  if (text && !IsValidCodeText(*text)) text.reset();
  return text;
}

}  // namespace

CKeyMapPage::CKeyMapPage(wxWindow* parent, ConfigImage& config) : CSheetPage(parent, config) {
  ui::UseCompactDropDownLists();
  SetFont(ui::DialogFont());
  CreateControls();
  InterceptKeyDowns(
      this, [this] { return captureOn_; }, [this](unsigned virtualKey) { CaptureKey(virtualKey); });
  ShowSelection();
  ShowSelectedKey();
}

CKeyMapPage::~CKeyMapPage() = default;

void CKeyMapPage::CreateControls() {
  matrix_ = new KeyMatrix(this, kFirstKeyButtonId, config_.keys);

  AddLabel(this, "Number", 4, 226);
  wxArrayString numbers;
  for (int key = 0; key < kKeyCount; ++key) numbers.Add(wxString::Format(wxS("%d"), key + 1));
  // A plain drop-down list: one Tab stop with a focus mark (a read-only
  // combo box would be an entry and a button, two stops).
  numberList_ = new wxChoice(this, kNumberListId, wxDefaultPosition, wxDefaultSize, numbers);
  // 128 numbers in 8 columns: the list opens as 16 rows, not the screen's height.
  ui::WrapDropDownList(*numberList_, 8);
  captureButton_ = new ui::Compact<wxToggleButton>(this, kCaptureButtonId,
                                                   ui::FromCore(ui_text::CaptureButton()));
  typematicBox_ =
      new ui::Compact<wxCheckBox>(this, kTypematicBoxId, ui::FromCore(ui_text::TypematicBox()));
  AddLabel(this, "Make", 2, 240);
  makeBox_ = new ui::Compact<wxTextCtrl>(this, kMakeBoxId, wxString());
  AddLabel(this, "Break", 2, 254);
  breakBox_ = new ui::Compact<wxTextCtrl>(this, kBreakBoxId, wxString());

  ui::PlaceDropDown(*numberList_, kNumberList, kNumberRowHeight);
  ui::PlaceFitted(*captureButton_, kCaptureButton);
  ui::PlaceFitted(*typematicBox_, kTypematicBox);
  ui::PlaceFitted(*makeBox_, kMakeBox);
  ui::PlaceFitted(*breakBox_, kBreakBox);
  // The theme's drop-down list is taller than the template's row: keep it
  // clear of the Make box below it.
  const int listBottom = makeBox_->GetPosition().y - 1;
  if (numberList_->GetRect().GetBottom() >= listBottom) {
    numberList_->Move(numberList_->GetPosition().x, listBottom - numberList_->GetSize().y);
  }

  Bind(wxEVT_RADIOBUTTON, &CKeyMapPage::OnKeyButton, this, kFirstKeyButtonId,
       kFirstKeyButtonId + kKeyCount - 1);
  numberList_->Bind(wxEVT_CHOICE, &CKeyMapPage::OnNumberChosen, this);
  captureButton_->Bind(wxEVT_TOGGLEBUTTON, &CKeyMapPage::OnCaptureClicked, this);
  typematicBox_->Bind(wxEVT_CHECKBOX, &CKeyMapPage::OnTypematicClicked, this);
}

void CKeyMapPage::ShowSelectedKey() {
  const KeyEntry& key = config_.keys[static_cast<size_t>(selectedKey_)];
  makeBox_->ChangeValue(ui::FromCore(Cp932ToUtf8(key.makeCode)));
  breakBox_->ChangeValue(ui::FromCore(Cp932ToUtf8(key.breakCode)));
  typematicBox_->SetValue(key.typematic);
  matrix_->Refresh();  // the key may have got or lost its codes
}

bool CKeyMapPage::CommitEdits() {
  ConfigImage committed = config_;
  if (!PendingInto(committed)) return false;
  const auto index = static_cast<size_t>(selectedKey_);
  RecordEdit(selectedKey_, [&] { config_.keys[index] = std::move(committed.keys[index]); });
  return true;
}

bool CKeyMapPage::PendingInto(ConfigImage& config) const {
  std::optional<std::string> makeCode = CodeTextOf(makeBox_);
  std::optional<std::string> breakCode = CodeTextOf(breakBox_);
  if (!makeCode || !breakCode) return false;
  KeyEntry& key = config.keys[static_cast<size_t>(selectedKey_)];
  key.makeCode = std::move(*makeCode);
  key.breakCode = std::move(*breakCode);
  return true;
}

bool CKeyMapPage::OnKillActive() {
  if (CommitEdits()) return true;
  ui::ShowMessage(this, ui::FromCore(EditorMessage(editor_msg::kBadInputData)));
  return false;
}

void CKeyMapPage::OnSetActive() {
  // Codes loaded while another page was active must show, or leaving the
  // page again would overwrite them with the old texts.
  ShowSelection();
  ShowSelectedKey();
}

void CKeyMapPage::CaptureKey(unsigned virtualKey) {
  const std::optional<CapturedKey> captured = TranslateCapturedKey(virtualKey);
  if (!captured) return;
  RecordEdit(selectedKey_, [&] {
    KeyEntry& key = config_.keys[static_cast<size_t>(selectedKey_)];
    key.makeCode = captured->makeCode;
    key.breakCode = captured->breakCode;
    key.typematic = captured->typematic;
  });
  ShowSelectedKey();
}

void CKeyMapPage::ShowUndoneEdit(int key) {
  // The boxes hold no pending text (undo took it over first), so the
  // selection may move without a commit.
  if (key >= 0 && key < kKeyCount) selectedKey_ = key;
  ShowSelection();
  ShowSelectedKey();
}

void CKeyMapPage::ShowSelection() {
  matrix_->SetSelection(selectedKey_);
  numberList_->SetSelection(selectedKey_);
}

void CKeyMapPage::SelectKey(int key) {
  if (!CommitEdits()) {
    // The rejected texts stay in their boxes for correction.
    ui::ShowMessage(this, ui::FromCore(EditorMessage(editor_msg::kBadInputData)));
    ShowSelection();
    return;
  }
  selectedKey_ = key;
  ShowSelection();
  ShowSelectedKey();
}

void CKeyMapPage::OnKeyButton(wxCommandEvent& event) {
  SelectKey(event.GetId() - kFirstKeyButtonId);
}

void CKeyMapPage::OnNumberChosen(wxCommandEvent&) {
  const int number = std::atoi(ui::ToCore(numberList_->GetStringSelection()).c_str());
  if (number < 1 || number > kKeyCount) return;
  SelectKey(number - 1);
}

void CKeyMapPage::OnCaptureClicked(wxCommandEvent&) { captureOn_ = captureButton_->GetValue(); }

void CKeyMapPage::OnTypematicClicked(wxCommandEvent&) {
  RecordEdit(selectedKey_, [this] {
    config_.keys[static_cast<size_t>(selectedKey_)].typematic = typematicBox_->GetValue();
  });
}

}  // namespace vrx::editor
