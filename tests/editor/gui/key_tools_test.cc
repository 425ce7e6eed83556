// The key map page's tools in a real sheet: 連続キャプチャ with its undo
// steps and remembered order, the key list, and the key test.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "editor/gui/key_list_dialog.h"
#include "editor/gui/key_map_page.h"
#include "editor/gui/key_test_dialog.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

constexpr unsigned kVkA = 0x41;
constexpr unsigned kVkB = 0x42;
constexpr unsigned kVkUp = 0x26;
constexpr unsigned kVkEscape = 0x1B;

class KeyToolsTest : public SheetTest {
 protected:
  void TearDown() override {
    Profile().WriteString("KeyMap", "SequenceOrder", "number");
    Profile().WriteInt("KeyMap", "SequenceSkipsAssigned", 0);
    SheetTest::TearDown();
  }
  CKeyMapPage& page() { return *sheet->keyMapPage(); }
  const KeyEntry& key(int index) { return sheet->config().keys[static_cast<size_t>(index)]; }
  // A click on a check box or choice, as its command event.
  template <class Control>
  void Toggle(Control* control, wxEventType type) {
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(control->GetValue());
    control->GetEventHandler()->ProcessEvent(event);
  }
  void Choose(wxChoice* list, int index) {
    list->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, list->GetId());
    event.SetEventObject(list);
    event.SetInt(index);
    list->GetEventHandler()->ProcessEvent(event);
  }
};

TEST_F(KeyToolsTest, ASequenceCapturesKeyAfterKeyEachAsOneUndoStep) {
  page().sequenceBox()->SetValue(true);
  Toggle(page().sequenceBox(), wxEVT_CHECKBOX);
  ASSERT_TRUE(page().sequenceOn());
  EXPECT_TRUE(page().captureOn());
  EXPECT_TRUE(page().captureButton()->GetValue());

  page().CaptureKey(kVkA);
  page().CaptureKey(kVkB);
  page().CaptureKey(kVkUp);
  EXPECT_EQ(key(0).makeCode, "1C");
  EXPECT_EQ(key(1).makeCode, "32");
  EXPECT_EQ(key(2).makeCode, "E0,75");
  EXPECT_EQ(key(2).breakCode, "E0,F0,75");
  EXPECT_EQ(page().selectedKey(), 3);
  EXPECT_TRUE(page().sequence()->IsDone(2));

  // Esc ends the run and is not captured.
  page().CaptureKey(kVkEscape);
  EXPECT_FALSE(page().sequenceOn());
  EXPECT_FALSE(page().captureOn());
  EXPECT_FALSE(page().sequenceBox()->GetValue());
  EXPECT_TRUE(key(3).makeCode.empty());

  // Each key is its own step: undo takes back the last one first.
  sheet->Undo();
  EXPECT_TRUE(key(2).makeCode.empty());
  EXPECT_EQ(key(1).makeCode, "32");
  sheet->Undo();
  sheet->Undo();
  EXPECT_TRUE(key(0).makeCode.empty());
}

TEST_F(KeyToolsTest, TheOrderAndSkipAreRememberedAndSkippingPassesKeysWithCodes) {
  Choose(page().orderList(), 1);  // by row: ROW7 from the left
  page().skipBox()->SetValue(true);
  Toggle(page().skipBox(), wxEVT_CHECKBOX);
  EXPECT_EQ(Profile().ReadString("KeyMap", "SequenceOrder", ""), "row");
  EXPECT_EQ(Profile().ReadInt("KeyMap", "SequenceSkipsAssigned", 0), 1);

  sheet->config().keys[113].makeCode = "1C";  // KEY114, second in ROW7
  page().ShowUndoneEdit(112);
  page().StartSequence();
  ASSERT_TRUE(page().sequenceOn());
  EXPECT_EQ(page().selectedKey(), 112);
  page().CaptureKey(kVkB);
  EXPECT_EQ(page().selectedKey(), 114);  // KEY114 had codes
  page().StopSequence();

  // A new sheet reads both back.
  sheet->Destroy();
  sheet = new CVRXSheet(Profile());
  EXPECT_EQ(sheet->keyMapPage()->orderList()->GetSelection(), 1);
  EXPECT_TRUE(sheet->keyMapPage()->skipBox()->GetValue());
}

TEST_F(KeyToolsTest, TheKeyListFillsTheSelectedKeyAsCapturingWould) {
  page().ShowUndoneEdit(9);
  test::DialogScript script;
  std::vector<std::string> names;
  script.ExpectDialog("key list", [&](wxDialog& dialog) {
    auto& list = dynamic_cast<KeyListDialog&>(dialog);
    list.searchBox()->SetValue(wxS("volume"));
    for (const NamedKey* named : list.shownKeys()) names.push_back(named->name);
    list.searchBox()->SetValue(wxS("Pause"));
    list.ChooseRow(0);
    return wxID_OK;
  });
  wxCommandEvent click(wxEVT_BUTTON, page().keyListButton()->GetId());
  click.SetEventObject(page().keyListButton());
  page().keyListButton()->GetEventHandler()->ProcessEvent(click);
  EXPECT_TRUE(script.AllMet());
  EXPECT_EQ(names, (std::vector<std::string>{"Volume Up", "Volume Down"}));
  EXPECT_EQ(key(9).makeCode, "E1,14,77,E1,F0,14,F0,77");
  EXPECT_EQ(key(9).breakCode, "");
  EXPECT_FALSE(key(9).typematic);
  EXPECT_EQ(ui::ToCore(page().makeBox()->GetValue()), "E1,14,77,E1,F0,14,F0,77");
  sheet->Undo();
  EXPECT_TRUE(key(9).makeCode.empty());
  EXPECT_TRUE(key(9).typematic);
}

TEST_F(KeyToolsTest, TheKeyTestTracesKeysToTheMatrixAndChangesNothing) {
  sheet->config().keys[0] = {true, "1C", "F0,1C"};
  sheet->config().keys[40] = {true, "1c", "F0,1C"};
  sheet->config().keys[16] = {true, "E0,75", "E0,F0,75"};
  const ConfigImage before = sheet->config();

  wxToggleButton* button = page().keyTestButton();
  button->SetValue(true);
  Toggle(button, wxEVT_TOGGLEBUTTON);
  KeyTestDialog* test = page().keyTest();
  ASSERT_NE(test, nullptr);
  EXPECT_TRUE(test->IsShown());
  EXPECT_EQ(ui::ToCore(test->progress()->GetLabel()), "確認済み 0 / 3 キー");

  test->Press(kVkA);
  test->Press(0x70);  // F1: no matrix key sends it
  EXPECT_EQ(ui::ToCore(test->progress()->GetLabel()), "確認済み 2 / 3 キー");
  ASSERT_EQ(test->list()->GetItemCount(), 2);
  EXPECT_EQ(ui::ToCore(test->list()->GetItemText(0, 1)), "F1");
  EXPECT_EQ(ui::ToCore(test->list()->GetItemText(0, 3)), "割り当てなし");
  EXPECT_EQ(ui::ToCore(test->list()->GetItemText(1, 2)), "1C");
  EXPECT_EQ(ui::ToCore(test->list()->GetItemText(1, 3)), "キー1, キー41");
  EXPECT_TRUE(test->session().WasPressed(40));
  EXPECT_FALSE(test->session().WasPressed(16));

  // Esc is a key under test too, then the end.
  test->Press(kVkEscape);
  ASSERT_TRUE(test::PumpUntil([&] { return page().keyTest() == nullptr; }));
  EXPECT_FALSE(button->GetValue());
  EXPECT_EQ(sheet->config().keys, before.keys);
}

}  // namespace
}  // namespace vrx::editor
