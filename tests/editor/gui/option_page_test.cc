// The option page inside a shown sheet: what its boxes and list show, what
// leaving, saving and loading store, and when it counts as changed.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/statbox.h>

#include "editor/gui/option_page.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"
#include "ui/dialog_units.h"

namespace vrx::editor {
namespace {

class OptionPageTest : public SheetTest {
 protected:
  COptionPage& page() { return *sheet->optionPage(); }
  ConfigImage& config() { return sheet->config(); }

  void ChooseSpeed(int index) {
    // What GTK reports when the user picks an entry of the open list.
    page().SpeedList()->SetSelection(index);
    wxCommandEvent chosen(wxEVT_CHOICE, COptionPage::kSpeedListId);
    chosen.SetEventObject(page().SpeedList());
    chosen.SetInt(index);
    page().SpeedList()->ProcessWindowEvent(chosen);
  }

  // Opens `image` through 開く, as the user does.
  void Load(const ConfigImage& image) {
    const auto path = WriteImage("load.vrx", image);
    test::DialogScript script;
    if (sheet->AnyModified()) script.ExpectMessage(kUnsavedPrompt, wxID_NO);
    script.ExpectFileDialog(path.string());
    Press(CVRXSheet::kOpenId);
  }
};

TEST_F(OptionPageTest, FreshEditorShowsTheDefaults) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  for (int bit = 0; bit < COptionPage::kOptionBoxCount; ++bit)
    EXPECT_EQ(page().OptionBox(bit)->GetValue(), bit == 2 || bit == 3) << "option bit " << bit;
  for (int bit = 4; bit <= 7; ++bit) EXPECT_TRUE(page().PoBox(bit)->GetValue()) << "PO" << bit;
  EXPECT_EQ(page().SpeedList()->GetStringSelection(), wxS("38400"));
  EXPECT_EQ(page().SpeedList()->GetCount(), 6U);
  EXPECT_FALSE(sheet->AnyModified());
}

TEST_F(OptionPageTest, ClickedBoxesReachTheRecordWhenThePageIsLeft) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  Click(page().OptionBox(0));
  ASSERT_TRUE(page().OptionBox(0)->GetValue()) << "the click did not reach the box";
  Click(page().PoBox(4));
  ASSERT_FALSE(page().PoBox(4)->GetValue());
  EXPECT_EQ(config().optionWord, 0x000C) << "stored before the page was left";
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  EXPECT_EQ(config().optionWord, 0x000D);
  EXPECT_EQ(config().poInitial, 0xEF);
  EXPECT_TRUE(sheet->AnyModified());
}

TEST_F(OptionPageTest, BitsWithoutBoxesSurviveEveryBoxChange) {
  ConfigImage loaded;
  loaded.optionWord = 0xFF80 | 0x0100;
  loaded.poInitial = 0x0A;
  Load(loaded);
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  for (int bit = 0; bit < COptionPage::kOptionBoxCount; ++bit) {
    page().OptionBox(bit)->SetValue(bit % 2 == 0);
  }
  for (int bit = 4; bit <= 7; ++bit) page().PoBox(bit)->SetValue(true);
  ASSERT_TRUE(SelectPage(CVRXSheet::kKeyMapPage));
  EXPECT_EQ(config().optionWord, 0xFF80 | 0x0055);
  EXPECT_EQ(config().poInitial, 0xFA);

  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  for (int bit = 0; bit < COptionPage::kOptionBoxCount; ++bit)
    page().OptionBox(bit)->SetValue(false);
  for (int bit = 4; bit <= 7; ++bit) page().PoBox(bit)->SetValue(false);
  ASSERT_TRUE(SelectPage(CVRXSheet::kKeyMapPage));
  EXPECT_EQ(config().optionWord, 0xFF80);
  EXPECT_EQ(config().poInitial, 0x0A);
}

TEST_F(OptionPageTest, ChosenSpeedIsSavedWhileThePageIsActive) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  ChooseSpeed(5);
  const auto path = scratch / "fast.vrx";
  {
    test::DialogScript script;
    script.ExpectFileDialog(path.string());
    Press(CVRXSheet::kSaveId);
  }
  EXPECT_EQ(ReadImage(path).brrValue, 0x0A);
}

TEST_F(OptionPageTest, RegisterValuesWithoutAListEntry) {
  // 128000 bit/s: no entry can show it, so leaving the page stores 38400.
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  ConfigImage fastest;
  fastest.brrValue = 0x04;
  Load(fastest);
  EXPECT_EQ(page().SpeedList()->GetSelection(), wxNOT_FOUND);
  EXPECT_EQ(config().brrValue, 0x04) << "loading alone changes nothing";
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  EXPECT_EQ(config().brrValue, 0x0F);

  // A value of no speed at all leaves the list as it was (9600 here).
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  ChooseSpeed(1);
  ConfigImage odd;
  odd.brrValue = 0x33;
  Load(odd);
  EXPECT_EQ(page().SpeedList()->GetStringSelection(), wxS("9600"));
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  EXPECT_EQ(config().brrValue, 0x40);
}

TEST_F(OptionPageTest, AClickCountsAtOnceAndAClickBackUndoesIt) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  Click(page().OptionBox(4));
  EXPECT_TRUE(sheet->AnyModified()) << "before the page hands its boxes over";
  Click(page().OptionBox(4));
  EXPECT_FALSE(sheet->AnyModified());
  // Visiting the speed list changes nothing either.
  page().SpeedList()->SetFocus();
  ASSERT_TRUE(SelectPage(CVRXSheet::kKeyMapPage));
  EXPECT_EQ(config().optionWord, 0x000C);
  EXPECT_FALSE(sheet->AnyModified());
}

TEST_F(OptionPageTest, ControlsSitAtTheirPlacesWithoutOverlapping) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  std::vector<wxWindow*> controls;
  for (wxWindow* child : page().GetChildren())
    if (!dynamic_cast<wxStaticBox*>(child)) controls.push_back(child);
  for (size_t i = 0; i < controls.size(); ++i)
    for (size_t j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(controls[i]->GetRect().Intersects(controls[j]->GetRect()))
          << controls[i]->GetLabel().utf8_string() << " overlaps "
          << controls[j]->GetLabel().utf8_string();

  EXPECT_EQ(page().OptionBox(0)->GetPosition(), ui::DluToPixels(&page(), 70, 28));
  EXPECT_EQ(page().OptionBox(6)->GetPosition(), ui::DluToPixels(&page(), 70, 100));
  // The closed list keeps GTK's height, centred on its 12-unit row.
  const wxRect row = ui::DluRectToPixels(&page(), 105, 134, 46, 12);
  const wxRect list = page().SpeedList()->GetRect();
  EXPECT_EQ(list.x, row.x);
  EXPECT_NEAR(list.y + list.height / 2, row.y + row.height / 2, 1);
  EXPECT_EQ(page().PoBox(7)->GetPosition(), ui::DluToPixels(&page(), 76, 170));
  EXPECT_EQ(page().PoBox(4)->GetPosition(), ui::DluToPixels(&page(), 146, 170));
  // Left to right PO7 .. PO4, like the bits of the byte.
  EXPECT_LT(page().PoBox(7)->GetPosition().x, page().PoBox(6)->GetPosition().x);
  EXPECT_LT(page().PoBox(5)->GetPosition().x, page().PoBox(4)->GetPosition().x);
  // Every label is shown whole.
  for (wxWindow* control : controls)
    EXPECT_GE(control->GetSize().x, control->GetBestSize().x) << control->GetLabel().utf8_string();
}

}  // namespace
}  // namespace vrx::editor
