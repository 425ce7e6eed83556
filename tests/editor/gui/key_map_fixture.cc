#include "tests/editor/gui/key_map_fixture.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "editor/gui/key_matrix.h"
#include "tests/support/gui/event_pump.h"
#include "ui/dialog_units.h"

namespace vrx::editor::test {

KeyMapPageTest::KeyMapPageTest() {
  dialog_ = new wxDialog(nullptr, wxID_ANY, wxString::FromUTF8(TitleOfCurrentTest()));
  page_ = new CKeyMapPage(dialog_, config_);
  dialog_->SetClientSize(ui::DluRectToPixels(dialog_, 0, 0, 359, 299).GetSize());
  page_->SetSize(dialog_->GetClientSize());
  dialog_->Show();
  page_->OnSetActive();
  vrx::test::PumpPending();
}

KeyMapPageTest::~KeyMapPageTest() {
  dialog_->Destroy();
  vrx::test::PumpPending();
}

std::string KeyMapPageTest::TitleOfCurrentTest() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  return std::string("keymap ") + test->test_suite_name() + "." + test->name();
}

void KeyMapPageTest::ClickKey(int key) {
  KeyMatrix* matrix = page_->keyMatrix();
  wxMouseEvent click(wxEVT_LEFT_DOWN);
  const wxPoint centre =
      matrix->KeyButtonRect(key).GetPosition() + wxSize(matrix->KeyButtonRect(key).GetSize() / 2);
  click.SetPosition(centre);
  click.SetEventObject(matrix);
  matrix->ProcessWindowEvent(click);
}

void KeyMapPageTest::ChooseNumber(int number) {
  wxChoice* list = page_->numberList();
  list->SetSelection(number - 1);
  wxCommandEvent chosen(wxEVT_CHOICE, list->GetId());
  chosen.SetEventObject(list);
  chosen.SetInt(number - 1);
  list->ProcessWindowEvent(chosen);
}

void KeyMapPageTest::ClickTypematic() {
  wxCheckBox* box = page_->typematicBox();
  box->SetValue(!box->GetValue());
  wxCommandEvent clicked(wxEVT_CHECKBOX, box->GetId());
  clicked.SetEventObject(box);
  clicked.SetInt(box->GetValue());
  box->ProcessWindowEvent(clicked);
}

void KeyMapPageTest::SetCapture(bool on) {
  wxToggleButton* button = page_->captureButton();
  button->SetValue(on);
  wxCommandEvent clicked(wxEVT_TOGGLEBUTTON, button->GetId());
  clicked.SetEventObject(button);
  clicked.SetInt(on);
  button->ProcessWindowEvent(clicked);
}

void KeyMapPageTest::Type(wxTextCtrl* box, const std::string& utf8) {
  box->SetValue(wxString::FromUTF8(utf8));  // sends the change like typing does
}

std::string KeyMapPageTest::Text(const wxTextCtrl* box) const {
  return std::string(box->GetValue().utf8_str());
}

std::string KeyMapPageTest::NumberShown() const {
  return std::string(page_->numberList()->GetStringSelection().utf8_str());
}

}  // namespace vrx::editor::test
