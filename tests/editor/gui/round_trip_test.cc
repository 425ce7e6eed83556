// A whole session: edit keys and options, save, open the file again in a
// fresh sheet, and compare the file with what vrxtool makes of it.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include <fstream>
#include <iterator>

#include "editor/gui/key_map_page.h"
#include "editor/gui/option_page.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"

namespace vrx::editor {
namespace {

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs vrxtool normalize on `in`; false when it did not succeed.
bool Normalize(const std::filesystem::path& in, const std::filesystem::path& out) {
  const std::string command =
      "'" VRX_BINARY_DIR "/tools/vrxtool' normalize '" + in.string() + "' '" + out.string() + "'";
  return test::RunShell(command) == 0;
}

using RoundTripTest = SheetTest;

TEST_F(RoundTripTest, SavedSessionReopensAndIsNormalForm) {
  CKeyMapPage& keys = *sheet->keyMapPage();
  keys.makeBox()->ChangeValue(wxS("e0,75"));
  keys.breakBox()->ChangeValue(wxS("E0,F0,75"));
  Click(keys.typematicBox());
  ASSERT_FALSE(keys.typematicBox()->GetValue());

  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  COptionPage& options = *sheet->optionPage();
  Click(options.OptionBox(6));
  Click(options.PoBox(7));
  options.SpeedList()->SetSelection(1);

  const auto saved = scratch / "session.vrx";
  {
    test::DialogScript script;
    script.ExpectFileDialog(saved.string());
    Press(CVRXSheet::kSaveId);
  }
  const ConfigImage stored = ReadImage(saved);
  EXPECT_EQ(stored.keys[0].makeCode, "E0,75");
  EXPECT_EQ(stored.keys[0].breakCode, "E0,F0,75");
  EXPECT_FALSE(stored.keys[0].typematic);
  EXPECT_EQ(stored.optionWord, 0x004C);
  EXPECT_EQ(stored.poInitial, 0x7F);
  EXPECT_EQ(stored.brrValue, 0x40);

  const auto normal = scratch / "normal.vrx";
  ASSERT_TRUE(Normalize(saved, normal));
  EXPECT_EQ(FileBytes(saved), FileBytes(normal));

  // A fresh editor opens it and saves the same bytes again.
  sheet->Destroy();
  sheet = new CVRXSheet(Profile());
  sheet->Show();
  test::PumpPending();
  const auto again = scratch / "again.vrx";
  {
    test::DialogScript script;
    script.ExpectFileDialog(saved.string()).ExpectFileDialog(again.string());
    Press(CVRXSheet::kOpenId);
    EXPECT_EQ(sheet->keyMapPage()->makeBox()->GetValue(), wxS("E0,75"));
    ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
    EXPECT_TRUE(sheet->optionPage()->OptionBox(6)->GetValue());
    EXPECT_FALSE(sheet->optionPage()->PoBox(7)->GetValue());
    EXPECT_EQ(sheet->optionPage()->SpeedList()->GetStringSelection(), wxS("9600"));
    Press(CVRXSheet::kSaveId);
  }
  EXPECT_EQ(FileBytes(again), FileBytes(saved));
}

}  // namespace
}  // namespace vrx::editor
