// 開く, 保存, 終了, 書込み and the close box: titles, prompts and their
// answers, and what happens when a file cannot be read or written.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include <fstream>

#include "editor/gui/key_map_page.h"
#include "editor/gui/option_page.h"
#include "platform/module_path.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"

namespace vrx::editor {
namespace {

class SheetCommandTest : public SheetTest {
 protected:
  // Marks the configuration changed the way a user does: a click on an
  // option box.
  void MakeAChange() {
    ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
    Click(sheet->optionPage()->OptionBox(1));
    ASSERT_TRUE(sheet->AnyModified());
  }
  void SaveAs(const std::filesystem::path& path) {
    test::DialogScript script;
    script.ExpectFileDialog(path.string());
    Press(CVRXSheet::kSaveId);
  }
  std::filesystem::path Folder(const std::string& name) const {
    std::filesystem::create_directory(scratch / name);
    return scratch / name;
  }
  std::string Title() const { return sheet->GetTitle().utf8_string(); }
  // A file the save cannot create: the kernel's folder of processes takes
  // no new files, whoever runs the test.
  std::filesystem::path Unwritable() const { return "/proc/vrx-sheet-test.vrx"; }
};

TEST_F(SheetCommandTest, SaveNamesTheFileInTheTitleAndClearsThePrompt) {
  EXPECT_EQ(Title(), "VRXEditor");
  EXPECT_TRUE(sheet->currentPath().empty());
  MakeAChange();
  const auto path = scratch / "desk top.vrx";
  SaveAs(path);
  EXPECT_EQ(Title(), "VRXEditor - desk top.vrx");
  EXPECT_EQ(sheet->currentPath(), path.string());
  EXPECT_FALSE(sheet->AnyModified());
  EXPECT_EQ(ReadImage(path).optionWord, 0x000E);

  Press(CVRXSheet::kExitId);  // no prompt: nothing is unsaved
  EXPECT_FALSE(sheet->IsShown());
  EXPECT_EQ(sheet->GetReturnCode(), wxID_CANCEL);
}

TEST_F(SheetCommandTest, SaveDialogOffersTheDataFilesAndTheCurrentName) {
  const auto first = scratch / "first.vrx";
  SaveAs(first);
  test::DialogScript script;
  script.ExpectFileDialogCancelled();
  Press(CVRXSheet::kSaveId);
  ASSERT_EQ(script.fileDialogs().size(), 1U);
  const test::SeenFileDialog& seen = script.fileDialogs()[0];
  EXPECT_EQ(seen.wildcard, "VRX7100 データ (*.vrx)|*.vrx");
  EXPECT_EQ(seen.initialName, "first.vrx");
  EXPECT_EQ(seen.initialDirectory, scratch.string());
  EXPECT_TRUE(seen.style & wxFD_SAVE);
  EXPECT_TRUE(seen.style & wxFD_OVERWRITE_PROMPT);
  EXPECT_EQ(Title(), "VRXEditor - first.vrx") << "a cancelled save changes nothing";

  SaveAs(scratch / "plain");  // typed without an extension
  EXPECT_TRUE(std::filesystem::exists(scratch / "plain.vrx"));
  EXPECT_EQ(Title(), "VRXEditor - plain.vrx");
}

TEST_F(SheetCommandTest, FailedSaveKeepsPathTitleAndChanges) {
  const auto saved = scratch / "kept.vrx";
  SaveAs(saved);
  MakeAChange();
  {
    test::DialogScript script;
    script.ExpectFileDialog(Unwritable().string()).ExpectMessage(kCannotOpenText);
    Press(CVRXSheet::kSaveId);
  }
  EXPECT_EQ(sheet->currentPath(), saved.string());
  EXPECT_EQ(Title(), "VRXEditor - kept.vrx");
  EXPECT_TRUE(sheet->AnyModified());
  // So 終了 still asks before the changes are lost.
  test::DialogScript script;
  script.ExpectMessage(kUnsavedPrompt, wxID_CANCEL);
  Press(CVRXSheet::kExitId);
  EXPECT_TRUE(sheet->IsShown());
}

TEST_F(SheetCommandTest, ExitPromptAnswers) {
  MakeAChange();
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_CANCEL);
    Press(CVRXSheet::kExitId);
    ASSERT_EQ(script.messages().size(), 1U);
    EXPECT_EQ(script.messages()[0].caption, ProgramName());
    EXPECT_TRUE(script.messages()[0].style & wxICON_EXCLAMATION);
    EXPECT_TRUE(script.messages()[0].style & wxCANCEL);
  }
  EXPECT_TRUE(sheet->IsShown()) << "Cancel keeps the sheet open";
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_YES).ExpectFileDialog((scratch / "y.vrx").string());
    Press(CVRXSheet::kExitId);
  }
  EXPECT_FALSE(sheet->IsShown()) << "Yes saves, then leaves";
  EXPECT_TRUE(std::filesystem::exists(scratch / "y.vrx"));
}

// A Yes whose save does not happen must not throw the changes away.
TEST_F(SheetCommandTest, YesWithoutASaveAbandonsTheCommand) {
  MakeAChange();
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_YES).ExpectFileDialogCancelled();
    Press(CVRXSheet::kExitId);
  }
  EXPECT_TRUE(sheet->IsShown());
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_YES)
        .ExpectFileDialog(Unwritable().string())
        .ExpectMessage(kCannotOpenText);
    Press(CVRXSheet::kOpenId);  // and no open dialog follows
  }
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_YES).ExpectFileDialogCancelled();
    sheet->Close();
  }
  EXPECT_TRUE(sheet->IsShown());
  EXPECT_TRUE(sheet->AnyModified());
}

TEST_F(SheetCommandTest, CloseBoxAsksLikeExit) {
  MakeAChange();
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_CANCEL);
    sheet->Close();
  }
  EXPECT_TRUE(sheet->IsShown());
  test::DialogScript script;
  script.ExpectMessage(kUnsavedPrompt, wxID_NO);
  sheet->Close();
  EXPECT_FALSE(sheet->IsShown());
  EXPECT_EQ(sheet->GetReturnCode(), wxID_CANCEL);
}

TEST_F(SheetCommandTest, OpenShowsTheFileAndForgetsEarlierChanges) {
  ConfigImage image;
  image.optionWord = 0x0003;
  const auto path = WriteImage("other.vrx", image);
  MakeAChange();
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_NO).ExpectFileDialog(path.string());
    Press(CVRXSheet::kOpenId);
    ASSERT_EQ(script.fileDialogs().size(), 1U);
    EXPECT_EQ(script.fileDialogs()[0].wildcard, "VRX7100 データ (*.vrx)|*.vrx");
    EXPECT_TRUE(script.fileDialogs()[0].style & wxFD_OPEN);
  }
  EXPECT_EQ(Title(), "VRXEditor - other.vrx");
  EXPECT_EQ(sheet->currentPath(), path.string());
  EXPECT_FALSE(sheet->AnyModified());
  EXPECT_TRUE(sheet->optionPage()->OptionBox(0)->GetValue()) << "active page shows the file";
  EXPECT_FALSE(sheet->optionPage()->OptionBox(2)->GetValue());
}

TEST_F(SheetCommandTest, FilesThatCannotBeReadChangeNothing) {
  const auto notData = scratch / "notes.vrx";
  std::ofstream(notData) << "hello\r\n";
  const auto before = sheet->config().optionWord;
  for (const auto& [path, text] :
       {std::pair{notData, kWrongFormatText}, std::pair{Folder("folder.vrx"), kCannotOpenText}}) {
    test::DialogScript script;
    script.ExpectFileDialog(path.string()).ExpectMessage(text);
    Press(CVRXSheet::kOpenId);
  }
  EXPECT_EQ(Title(), "VRXEditor");
  EXPECT_TRUE(sheet->currentPath().empty());
  EXPECT_EQ(sheet->config().optionWord, before);
}

TEST_F(SheetCommandTest, RefusedKeyTextStopsSaveAndPageSwitch) {
  sheet->keyMapPage()->makeBox()->ChangeValue(wxS("E0,,75"));
  {
    test::DialogScript script;
    script.ExpectMessage(kBadInputText);  // before any file dialog
    Press(CVRXSheet::kSaveId);
    script.ExpectMessage(kBadInputText);
    EXPECT_FALSE(SelectPage(CVRXSheet::kOptionPage));
  }
  EXPECT_TRUE(sheet->config().keys[0].makeCode.empty()) << "the refused text was stored";
  EXPECT_EQ(Title(), "VRXEditor");
  EXPECT_EQ(sheet->notebook()->GetSelection(), CVRXSheet::kKeyMapPage);
  sheet->keyMapPage()->makeBox()->ChangeValue(wxS("E0,75"));
  EXPECT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  EXPECT_EQ(sheet->config().keys[0].makeCode, "E0,75");
}

TEST_F(SheetCommandTest, DataLoadedOnTheCgramPageShowsOnReturn) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));  // shown once before
  ConfigImage image;
  image.keys[0].makeCode = "1C";
  image.keys[0].breakCode = "F0,1C";
  image.keys[0].typematic = false;
  image.optionWord = 0x0041;
  image.brrValue = 0x81;
  image.poInitial = 0x5F;
  const auto path = WriteImage("loaded.vrx", image);
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  {
    test::DialogScript script;
    script.ExpectFileDialog(path.string());
    Press(CVRXSheet::kOpenId);
  }
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  const COptionPage& options = *sheet->optionPage();
  EXPECT_TRUE(options.OptionBox(0)->GetValue());
  EXPECT_FALSE(options.OptionBox(2)->GetValue());
  EXPECT_TRUE(options.OptionBox(6)->GetValue());
  EXPECT_EQ(options.SpeedList()->GetStringSelection(), wxS("4800"));
  for (int bit = 4; bit <= 7; ++bit)
    EXPECT_EQ(options.PoBox(bit)->GetValue(), bit % 2 == 0) << "PO" << bit;

  ASSERT_TRUE(SelectPage(CVRXSheet::kKeyMapPage));
  EXPECT_EQ(sheet->keyMapPage()->makeBox()->GetValue(), wxS("1C"));
  EXPECT_EQ(sheet->keyMapPage()->breakBox()->GetValue(), wxS("F0,1C"));
  EXPECT_FALSE(sheet->keyMapPage()->typematicBox()->GetValue());
  EXPECT_FALSE(sheet->AnyModified()) << "showing loaded data is no change";
  // Leaving again keeps the loaded codes instead of the old, empty texts.
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  EXPECT_EQ(sheet->config().keys[0].makeCode, "1C");
}

TEST_F(SheetCommandTest, WriteStartsTheWriterOnTheSavedFile) {
  const auto path = scratch / "to write.vrx";
  SaveAs(path);
  Press(CVRXSheet::kWriteId);  // everything saved: no prompt
  EXPECT_EQ(writerStarts, std::vector<std::string>{path.string()});
}

TEST_F(SheetCommandTest, WriteAsksToSaveFirst) {
  {
    test::DialogScript script;
    script.ExpectMessage(kWritePrompt, wxID_CANCEL);
    Press(CVRXSheet::kWriteId);
    ASSERT_EQ(script.messages().size(), 1U);
    EXPECT_TRUE(script.messages()[0].style & wxCANCEL);
    EXPECT_FALSE(script.messages()[0].style & wxYES_NO);
  }
  EXPECT_TRUE(writerStarts.empty()) << "Cancel starts nothing";
  {
    // No file yet and the save cancelled: the writer starts with no file.
    test::DialogScript script;
    script.ExpectMessage(kWritePrompt, wxID_OK).ExpectFileDialogCancelled();
    Press(CVRXSheet::kWriteId);
  }
  EXPECT_EQ(writerStarts, std::vector<std::string>{""});
  const auto path = scratch / "w.vrx";
  MakeAChange();
  {
    test::DialogScript script;
    script.ExpectMessage(kWritePrompt, wxID_OK).ExpectFileDialog(path.string());
    Press(CVRXSheet::kWriteId);
  }
  EXPECT_EQ(writerStarts.back(), path.string());
  EXPECT_FALSE(sheet->AnyModified());
}

}  // namespace
}  // namespace vrx::editor
