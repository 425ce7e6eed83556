#include "editor/gui/key_map_page.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <algorithm>
#include <cstdlib>

#include "config/code_text.h"
#include "editor/core/capture_table.h"
#include "editor/core/named_keys.h"
#include "editor/gui/key_capture.h"
#include "editor/gui/key_list_dialog.h"
#include "editor/gui/key_matrix.h"
#include "editor/gui/key_test_dialog.h"
#include "platform/sjis.h"
#include "resources/key_tool_texts.h"
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
// The tools at the right end of the Number row and, below the codes, the
// sequence's switch and options in one row that flows with their texts'
// lengths (English ones are longer).
constexpr ui::DluRect kKeyListButton = {246, 224, 50, 14};
constexpr ui::DluRect kKeyTestButton = {300, 224, 50, 14};
constexpr ui::DluRect kSequenceBox = {4, 272, 60, 10};
constexpr ui::DluRect kOrderList = {0, 270, 48, 60};  // x follows its label
constexpr ui::DluRect kSkipBox = {0, 272, 60, 10};    // x follows the list
constexpr int kSequenceRowGap = 8;                     // between the row's groups
constexpr int kPageRight = 352;  // of the template's 359 units, as the code boxes end
constexpr int kRowStep = 14;

constexpr unsigned kVkEscape = 0x1B;
constexpr std::string_view kProfileSection = "KeyMap";
constexpr std::string_view kOrderKey = "SequenceOrder";
constexpr std::string_view kSkipKey = "SequenceSkipsAssigned";

wxStaticText* AddLabel(wxWindow* page, std::string_view text, int x, int y) {
  return new wxStaticText(page, wxID_ANY, ui::FromCore(text), ui::DluToPixels(page, x, y));
}

// Code texts are kept as code page 932 bytes; a text with no such form can
// never be valid.
std::optional<std::string> CodeTextOf(const wxTextCtrl* box) {
  std::optional<std::string> text = Utf8ToCp932(ui::ToCore(box->GetValue()));
  if (text && !IsValidCodeText(*text)) text.reset();
  return text;
}

}  // namespace

CKeyMapPage::CKeyMapPage(wxWindow* parent, ConfigImage& config, ProfileStore* profile)
    : CSheetPage(parent, config), profile_(profile) {
  ui::UseCompactDropDownLists();
  SetFont(ui::DialogFont());
  CreateControls();
  CreateToolControls();
  // While the key test runs, the keys pressed on the page are keys under test.
  InterceptKeyDowns(
      this, [this] { return captureOn_ || keyTest_ != nullptr; },
      [this](unsigned virtualKey) {
        if (keyTest_) {
          keyTest_->Press(virtualKey);
          ShowMarks();
        } else {
          CaptureKey(virtualKey);
        }
      });
  // First display: the selection shows, and showing it is no change.
  ShowSelection();
  ShowSelectedKey();
}

CKeyMapPage::~CKeyMapPage() = default;

void CKeyMapPage::CreateControls() {
  matrix_ = new KeyMatrix(this, kFirstKeyButtonId, config_.keys);

  wxStaticText* numberLabel = AddLabel(this, "Number", 4, 226);
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
  // Nor may the label touch it where the font is larger than the template's.
  const int labelGap = ui::DluToPixels(this, 2, 0).x;
  const int labelRight = numberList_->GetPosition().x - labelGap;
  if (numberLabel->GetRect().GetRight() >= labelRight) {
    numberLabel->Move(std::max(0, labelRight - numberLabel->GetBestSize().x),
                      numberLabel->GetPosition().y);
  }
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

// 連続キャプチャ, then 順序 with its list, then the skip box, each after the
// one before it.
void CKeyMapPage::PlaceSequenceRow(wxStaticText& orderLabel) {
  const int gap = ui::DluToPixels(this, kSequenceRowGap, 0).x;
  ui::PlaceFitted(*sequenceBox_, kSequenceBox);
  const wxRect box = sequenceBox_->GetRect();
  const wxSize label = orderLabel.GetBestSize();
  orderLabel.SetSize(box.GetRight() + gap, box.y + (box.height - label.y) / 2, label.x, label.y);
  ui::PlaceDropDown(*orderList_, kOrderList, kNumberRowHeight);
  orderList_->Move(orderLabel.GetRect().GetRight() + gap / 2, orderList_->GetPosition().y);
  ui::PlaceFitted(*skipBox_, kSkipBox);
  skipBox_->Move(orderList_->GetRect().GetRight() + gap, skipBox_->GetPosition().y);
  // Too long for the row (a language with longer words): the skip box
  // goes to a row of its own, under the order.
  if (skipBox_->GetRect().GetRight() > ui::DluToPixels(this, kPageRight, 0).x) {
    skipBox_->Move(orderLabel.GetPosition().x,
                   skipBox_->GetPosition().y + ui::DluToPixels(this, 0, kRowStep).y);
  }
}

void CKeyMapPage::CreateToolControls() {
  namespace text = key_tool_text;
  sequenceBox_ = new ui::Compact<wxCheckBox>(this, wxID_ANY, ui::FromCore(text::SequenceBox()));
  keyListButton_ = new ui::Compact<wxButton>(this, wxID_ANY, ui::FromCore(text::KeyListButton()));
  keyTestButton_ =
      new ui::Compact<wxToggleButton>(this, wxID_ANY, ui::FromCore(text::KeyTestButton()));
  auto* orderLabel = new wxStaticText(this, wxID_ANY, ui::FromCore(text::OrderLabel()));
  wxArrayString orders;
  for (int order = 0; order < 3; ++order) orders.Add(ui::FromCore(text::OrderChoice(order)));
  orderList_ = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, orders);
  skipBox_ = new ui::Compact<wxCheckBox>(this, wxID_ANY, ui::FromCore(text::SkipAssignedBox()));
  // From the right edge leftwards: longer texts take room from the row's
  // free middle.
  ui::PlaceFittedFromRight(*keyTestButton_, kKeyTestButton);
  ui::PlaceFittedFromRight(*keyListButton_, kKeyListButton);
  const int keyListRight = keyTestButton_->GetPosition().x - ui::DluToPixels(this, 4, 0).x;
  if (keyListButton_->GetRect().GetRight() >= keyListRight)
    keyListButton_->Move(keyListRight - keyListButton_->GetSize().x,
                         keyListButton_->GetPosition().y);
  PlaceSequenceRow(*orderLabel);
  sequenceBox_->MoveAfterInTabOrder(keyTestButton_);  // Tab goes row by row
  const SequenceOrder order =
      SequenceOrderFromName(profile_ ? profile_->ReadString(kProfileSection, kOrderKey, "") : "");
  orderList_->SetSelection(static_cast<int>(order));
  skipBox_->SetValue(profile_ && profile_->ReadInt(kProfileSection, kSkipKey, 0) != 0);

  sequenceBox_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
    if (sequenceBox_->GetValue())
      StartSequence();
    else
      StopSequence();
  });
  orderList_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
    StopSequence();
    if (profile_)
      profile_->WriteString(
          kProfileSection, kOrderKey,
          SequenceOrderName(static_cast<SequenceOrder>(orderList_->GetSelection())));
  });
  skipBox_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
    StopSequence();
    if (profile_) profile_->WriteInt(kProfileSection, kSkipKey, skipBox_->GetValue() ? 1 : 0);
  });
  keyListButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    StopSequence();
    KeyListDialog list(this);
    if (list.ShowModal() == wxID_OK && list.chosen()) UseNamedKey(*list.chosen());
  });
  keyTestButton_->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) {
    if (keyTestButton_->GetValue())
      StartKeyTest();
    else
      StopKeyTest();
  });
  // A click anywhere else on the page ends a capture sequence (the click
  // itself then does what it always does).
  for (wxWindow* child : GetChildren()) {
    if (child == sequenceBox_ || child == captureButton_) continue;
    child->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
      StopSequence();
      event.Skip();
    });
  }
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
  StopSequence();
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
  if (sequence_ && virtualKey == kVkEscape) {
    StopSequence();
    return;
  }
  const std::optional<CapturedKey> captured = TranslateCapturedKey(virtualKey);
  if (!captured) return;
  RecordEdit(selectedKey_, [&] {
    KeyEntry& key = config_.keys[static_cast<size_t>(selectedKey_)];
    key.makeCode = captured->makeCode;
    key.breakCode = captured->breakCode;
    key.typematic = captured->typematic;
  });
  ShowSelectedKey();
  if (!sequence_) return;
  // The boxes hold what was just stored, so the selection may move on.
  if (const std::optional<int> next = sequence_->Captured(selectedKey_, config_.keys)) {
    selectedKey_ = *next;
    ShowSelection();
    ShowSelectedKey();
    ShowMarks();
  } else {
    StopSequence();
  }
}

void CKeyMapPage::StartSequence() {
  StopKeyTest();
  if (!CommitEdits()) {
    sequenceBox_->SetValue(false);
    ui::ShowMessage(this, ui::FromCore(EditorMessage(editor_msg::kBadInputData)));
    return;
  }
  CaptureSequence run(static_cast<SequenceOrder>(std::max(0, orderList_->GetSelection())),
                      skipBox_->GetValue());
  const std::optional<int> first = run.FirstKey(selectedKey_, config_.keys);
  if (!first) {  // every key left in the order has codes
    sequenceBox_->SetValue(false);
    wxBell();
    return;
  }
  sequence_ = run;
  sequenceBox_->SetValue(true);
  if (*first != selectedKey_) {
    selectedKey_ = *first;
    ShowSelection();
    ShowSelectedKey();
  }
  SetCapture(true);
  matrix_->EmphasizeSelection(true);
  ShowMarks();
  matrix_->SetFocus();
}

void CKeyMapPage::StopSequence() {
  if (!sequence_) return;
  sequence_.reset();
  sequenceBox_->SetValue(false);
  SetCapture(false);
  matrix_->EmphasizeSelection(false);
  ShowMarks();
}

void CKeyMapPage::SetCapture(bool on) {
  captureButton_->SetValue(on);
  captureOn_ = on;
}

void CKeyMapPage::UseNamedKey(const NamedKey& named) {
  RecordEdit(selectedKey_, [&] {
    KeyEntry& key = config_.keys[static_cast<size_t>(selectedKey_)];
    key.makeCode = named.makeCode;
    key.breakCode = named.breakCode;
    key.typematic = named.typematic;
  });
  ShowSelectedKey();
}

void CKeyMapPage::StartKeyTest() {
  StopSequence();
  if (keyTest_) return;
  // Capture would take the keys meant for the test.
  SetCapture(false);
  keyTest_ = new KeyTestDialog(this, config_.keys, [this] { CallAfter([this] { StopKeyTest(); }); });
  keyTestButton_->SetValue(true);
  // Beside the editor where the screen has room, so the matrix stays in view.
  const wxRect sheet = wxGetTopLevelParent(this)->GetScreenRect();
  const wxRect screen = wxDisplay(wxDisplay::GetFromWindow(this) == wxNOT_FOUND
                                      ? 0u
                                      : static_cast<unsigned>(wxDisplay::GetFromWindow(this)))
                            .GetClientArea();
  const wxSize size = keyTest_->GetSize();
  wxPoint at(sheet.GetRight() + 8, sheet.GetTop());
  if (at.x + size.x > screen.GetRight()) {
    // No room beside it: the screen's lower right corner, over the page's
    // lower controls rather than the matrix.
    at.x = std::max(screen.GetLeft(), screen.GetRight() - size.x);
    at.y = std::max(screen.GetTop(), screen.GetBottom() - size.y);
  }
  keyTest_->Move(at);
  keyTest_->Show();
  ShowMarks();
}

void CKeyMapPage::StopKeyTest() {
  if (!keyTest_) return;
  KeyTestDialog* dialog = keyTest_;
  keyTest_ = nullptr;
  dialog->Destroy();
  keyTestButton_->SetValue(false);
  ShowMarks();
}

void CKeyMapPage::ShowMarks() {
  if (keyTest_) {
    const KeyTestDialog* test = keyTest_;
    matrix_->SetKeyMarks([test](int key) {
      const auto& events = test->session().events();
      if (!events.empty()) {
        const std::vector<int>& lit = events.front().matrixKeys;
        if (std::find(lit.begin(), lit.end(), key) != lit.end()) return KeyMark::kLit;
      }
      return test->session().WasPressed(key) ? KeyMark::kDone : KeyMark::kNone;
    });
  } else if (sequence_) {
    const CaptureSequence* run = &*sequence_;
    matrix_->SetKeyMarks([run](int key) { return run->IsDone(key) ? KeyMark::kDone : KeyMark::kNone; });
  } else {
    matrix_->SetKeyMarks({});
  }
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

void CKeyMapPage::OnCaptureClicked(wxCommandEvent&) {
  StopKeyTest();
  if (sequence_) {  // the click that ends the sequence ends its capture too
    StopSequence();
    return;
  }
  captureOn_ = captureButton_->GetValue();
}

void CKeyMapPage::OnTypematicClicked(wxCommandEvent&) {
  RecordEdit(selectedKey_, [this] {
    config_.keys[static_cast<size_t>(selectedKey_)].typematic = typematicBox_->GetValue();
  });
}

}  // namespace vrx::editor
