// エクスポート… and インポート… of the right-click menu: the file chosen, what
// lands in it, and what an import changes or refuses.
#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include <fstream>
#include <sstream>

#include "config/config_exchange.h"
#include "editor/gui/exchange_menu.h"
#include "editor/gui/key_map_page.h"
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

}  // namespace
}  // namespace vrx::editor
