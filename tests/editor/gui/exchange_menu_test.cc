// エクスポート… and インポート… of the right-click menu: the file chosen, what
// lands in it, what an import changes or refuses, and its undo.
#include <gtest/gtest.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include <fstream>
#include <sstream>

#include "config/config_exchange.h"
#include "editor/gui/exchange_menu.h"
#include "editor/gui/key_map_page.h"
#include "editor/gui/key_matrix.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/gui/dialog_script.h"

namespace vrx::editor {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(SheetTest, ExportWritesWhatTheEditorHoldsInTheChosenFormat) {
  sheet->keyMapPage()->makeBox()->ChangeValue(wxS("e0 75"));  // typed, not yet stored
  const auto json = scratch / "layout";                       // ".json" is added
  {
    test::DialogScript script;
    script.ExpectFileDialog(json.string());
    EXPECT_TRUE(RunExchangeEntry(*sheet, kExportMenuId));
    ASSERT_EQ(script.fileDialogs().size(), 1U);
    EXPECT_EQ(script.fileDialogs()[0].wildcard, "JSON (*.json)|*.json|CSV (*.csv)|*.csv");
    EXPECT_EQ(script.fileDialogs()[0].title, "エクスポート");
  }
  ConfigImage exported;
  ASSERT_EQ(ImportJson(ReadText(scratch / "layout.json"), exported), std::nullopt);
  EXPECT_EQ(exported.keys[0].makeCode, "E0,75");

  {
    test::DialogScript script;
    script.ExpectFileDialog((scratch / "keys.csv").string());
    RunExchangeEntry(*sheet, kExportMenuId);
  }
  EXPECT_EQ(ReadText(scratch / "keys.csv"), ExportCsv(sheet->config()));
  EXPECT_FALSE(RunExchangeEntry(*sheet, CVRXSheet::kAboutId));
}

TEST_F(SheetTest, ImportRefusesABadEntryAndOtherwiseShowsTheKeysAsUnsaved) {
  const auto csv = scratch / "keys.csv";
  std::ofstream(csv) << "key,make,break\n1,1C,\"F0,1C\"\n2,\"E0,,75\",\n";
  const ConfigImage before = sheet->config();
  {
    test::DialogScript script;
    script.ExpectFileDialog(csv.string())
        .ExpectMessage("keys.csv:3: KEY2 make: " + std::string(kBadInputText));
    RunExchangeEntry(*sheet, kImportMenuId);
  }
  EXPECT_EQ(sheet->config(), before);
  EXPECT_FALSE(sheet->AnyModified());

  std::ofstream(csv) << "key,make,break\n1,1C,\"F0,1C\"\n";
  {
    test::DialogScript script;
    script.ExpectFileDialog(csv.string());
    RunExchangeEntry(*sheet, kImportMenuId);
  }
  EXPECT_EQ(sheet->config().keys[0], (KeyEntry{true, "1C", "F0,1C"}));
  EXPECT_EQ(sheet->keyMapPage()->makeBox()->GetValue(), wxS("1C")) << "active page shows it";
  EXPECT_TRUE(sheet->AnyModified());
}

TEST_F(SheetTest, ImportTakesOverOrRefusesTheTextBeingTypedFirst) {
  const auto csv = scratch / "other.csv";
  std::ofstream(csv) << "key,make,break\n1,1C,\"F0,1C\"\n";
  CKeyMapPage* keys = sheet->keyMapPage();
  sheet->config().keys[5].makeCode = "5A";
  ClickAt(keys->keyMatrix(), keys->keyMatrix()->KeyButtonRect(5).GetPosition() + wxPoint(6, 6));
  ASSERT_EQ(keys->selectedKey(), 5);

  keys->makeBox()->ChangeValue(wxS("33"));  // typed, the box not left
  {
    test::DialogScript script;
    script.ExpectFileDialog(csv.string());
    RunExchangeEntry(*sheet, kImportMenuId);
  }
  EXPECT_EQ(sheet->config().keys[5].makeCode, "33");
  EXPECT_EQ(keys->makeBox()->GetValue(), wxS("33"));
  EXPECT_EQ(sheet->config().keys[0].makeCode, "1C");

  keys->makeBox()->ChangeValue(wxS("5A2A"));
  {
    test::DialogScript script;  // refused before any file is asked for
    script.ExpectMessage(kBadInputText);
    RunExchangeEntry(*sheet, kImportMenuId);
  }
  EXPECT_EQ(keys->makeBox()->GetValue(), wxS("5A2A")) << "kept for correction";
  EXPECT_EQ(sheet->config().keys[5].makeCode, "33");
}

TEST_F(SheetTest, AnImportIsOneStepWhoseUndoShowsTheKeyMap) {
  const auto json = scratch / "all.json";
  ConfigImage other;
  other.keys[0] = {true, "1C", "F0,1C"};
  other.cgram[0] = 0x1F;
  std::ofstream(json, std::ios::binary) << ExportConfig(ExchangeFormat::kJson, other);
  const auto path = WriteImage("start.vrx", ConfigImage{});
  sheet->OpenDataFile(path.string());
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  {
    test::DialogScript script;
    script.ExpectFileDialog(json.string());
    RunExchangeEntry(*sheet, kImportMenuId);
    ASSERT_EQ(script.fileDialogs().size(), 1U);
    EXPECT_EQ(script.fileDialogs()[0].title, "インポート");
    EXPECT_EQ(script.fileDialogs()[0].initialDirectory, scratch.string()) << "the file's folder";
  }
  EXPECT_EQ(sheet->config().cgram[0], 0x1F);
  EXPECT_TRUE(sheet->AnyModified());

  sheet->Undo();
  EXPECT_EQ(sheet->config(), ConfigImage{});
  EXPECT_EQ(sheet->notebook()->GetSelection(), CVRXSheet::kKeyMapPage);
  EXPECT_EQ(sheet->keyMapPage()->makeBox()->GetValue(), wxS(""));
  EXPECT_FALSE(sheet->AnyModified()) << "back at the opened file";
  sheet->Redo();
  EXPECT_EQ(sheet->keyMapPage()->makeBox()->GetValue(), wxS("1C"));
}

}  // namespace
}  // namespace vrx::editor
