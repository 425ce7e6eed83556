// The editor beyond its four commands, in real windows: undo across the
// pages, a dragged stroke, the matrix tooltip, right-clicks on the dots,
// dropped files, the layout sheet and a file named on the command line.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/uiaction.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "editor/gui/cgram_page.h"
#include "editor/gui/key_map_page.h"
#include "editor/gui/key_matrix.h"
#include "editor/gui/option_page.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"
#include "ui/file_drop_target.h"

extern char** environ;

namespace vrx::editor {
namespace {

class EditorToolsTest : public SheetTest {
 protected:
  void PressWithControl(int key, int modifiers = wxMOD_CONTROL) {
    wxUIActionSimulator input;
    input.Char(key, modifiers);
    test::PumpUntil([] { return false; }, std::chrono::milliseconds(60));
  }
  wxPoint DotPoint(int character, int row, int column) const {
    const wxRect cell = sheet->cgramPage()->CellRect(character);
    return {cell.x + 16 * column + 8, cell.y + 16 * row + 8};
  }
  // Runs xdotool, then lets the window take the events it queued.
  void XDoTool(const std::string& arguments) {
    ASSERT_EQ(::vrx::test::RunShell("xdotool " + arguments), 0) << arguments;
    test::PumpUntil([] { return false; }, std::chrono::milliseconds(150));
  }
  // A move as a hand makes it: GTK holds a motion back until the next one
  // comes, so a second, one pixel further, lets the first through.
  void MoveTo(wxWindow* window, wxPoint point) {
    XDoTool("mousemove " + ScreenArgs(window, point));
    XDoTool("mousemove " + ScreenArgs(window, point + wxPoint(1, 0)));
  }
  std::string ScreenArgs(wxWindow* window, wxPoint point) const {
    const wxPoint screen = window->ClientToScreen(point);
    return std::to_string(screen.x) + " " + std::to_string(screen.y);
  }
};

TEST_F(EditorToolsTest, UndoWalksBackThroughThePagesAndRedoForward) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  ClickAt(sheet->cgramPage(), DotPoint(0, 0, 0));
  ASSERT_TRUE(SelectPage(CVRXSheet::kOptionPage));
  Click(sheet->optionPage()->OptionBox(0));
  ASSERT_TRUE(sheet->optionPage()->OptionBox(0)->GetValue());
  ASSERT_EQ(sheet->config().cgram[0], 0x10);

  PressWithControl('Z');
  EXPECT_EQ(sheet->config().optionWord, 0x000C);
  EXPECT_FALSE(sheet->optionPage()->OptionBox(0)->GetValue());
  PressWithControl('Z');
  EXPECT_EQ(sheet->config().cgram[0], 0x00);
  EXPECT_EQ(sheet->notebook()->GetSelection(), CVRXSheet::kCgramPage) << "undo shows the page";
  // Back at the fresh editor: nothing to save.
  EXPECT_FALSE(sheet->AnyModified());

  PressWithControl('Y');
  PressWithControl('Z', wxMOD_CONTROL | wxMOD_SHIFT);
  EXPECT_EQ(sheet->config().optionWord, 0x000D);
  EXPECT_EQ(sheet->notebook()->GetSelection(), CVRXSheet::kOptionPage);
  EXPECT_TRUE(sheet->AnyModified());

  // A key's codes: the committed text is one step, and undo selects the key.
  ASSERT_TRUE(SelectPage(CVRXSheet::kKeyMapPage));
  CKeyMapPage* keys = sheet->keyMapPage();
  keys->makeBox()->ChangeValue(wxS("E0,75"));
  ClickAt(keys->keyMatrix(), keys->keyMatrix()->KeyButtonRect(16).GetPosition() + wxPoint(6, 6));
  ASSERT_EQ(sheet->config().keys[0].makeCode, "E0,75");
  ASSERT_EQ(keys->selectedKey(), 16);
  sheet->Undo();
  EXPECT_EQ(sheet->config().keys[0].makeCode, "");
  EXPECT_EQ(keys->selectedKey(), 0);
  EXPECT_TRUE(keys->makeBox()->GetValue().empty());

  // Opening a file forgets the history.
  const auto path = WriteImage("other.vrx", ConfigImage{});
  sheet->Redo();
  test::DialogScript script;
  script.ExpectMessage(kUnsavedPrompt, wxID_NO);
  sheet->OpenDataFile(path.string());
  EXPECT_FALSE(sheet->history().CanUndo());
  EXPECT_FALSE(sheet->history().CanRedo());
}

TEST_F(EditorToolsTest, UndoBackToTheOpenedDataLeavesNothingToSave) {
  ConfigImage image;
  image.keys[20] = {true, "1D", "F0,1D"};
  const auto path = WriteImage("opened.vrx", image);
  sheet->OpenDataFile(path.string());
  CKeyMapPage* keys = sheet->keyMapPage();
  KeyMatrix* matrix = keys->keyMatrix();
  auto clickKey = [&](int key) {
    ClickAt(matrix, matrix->KeyButtonRect(key).GetPosition() + wxPoint(6, 6));
    ASSERT_EQ(keys->selectedKey(), key);
  };
  // Looking is no change: selecting keys, clicking into Make, キャプチャ on
  // and off.
  clickKey(20);
  Click(keys->makeBox());
  Click(keys->captureButton());
  Click(keys->captureButton());
  ASSERT_FALSE(keys->captureOn());
  EXPECT_FALSE(sheet->AnyModified());

  // A typed code counts while it is typed, and after it is taken over.
  keys->makeBox()->ChangeValue(wxS("2B"));
  EXPECT_TRUE(sheet->AnyModified()) << "typed, not yet taken over";
  keys->makeBox()->ChangeValue(wxS("1d"));
  EXPECT_FALSE(sheet->AnyModified()) << "the same code as the file's";
  keys->makeBox()->ChangeValue(wxS("2B"));
  clickKey(21);
  EXPECT_TRUE(sheet->AnyModified());
  sheet->Undo();
  EXPECT_EQ(sheet->config().keys[20].makeCode, "1D");
  EXPECT_FALSE(sheet->AnyModified());
  // So 終了 asks nothing (an unexpected prompt fails the test).
  {
    test::DialogScript none;
    Press(CVRXSheet::kExitId);
  }
  EXPECT_FALSE(sheet->IsShown());
}

TEST_F(EditorToolsTest, UndoOfACapturedKeyOrADotComesBackToTheSavedState) {
  CKeyMapPage* keys = sheet->keyMapPage();
  keys->CaptureKey('A');
  ASSERT_EQ(sheet->config().keys[0].makeCode, "1C");
  const auto path = scratch / "saved.vrx";
  {
    test::DialogScript script;
    script.ExpectFileDialog(path.string());
    Press(CVRXSheet::kSaveId);
  }
  EXPECT_FALSE(sheet->AnyModified());
  keys->CaptureKey('B');
  EXPECT_TRUE(sheet->AnyModified());
  sheet->Undo();
  EXPECT_FALSE(sheet->AnyModified()) << "back at the saved capture";
  sheet->Undo();
  EXPECT_TRUE(sheet->AnyModified()) << "before the save: the file differs";
  sheet->Redo();
  EXPECT_FALSE(sheet->AnyModified());

  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  sheet->cgramPage()->SetDotAt(DotPoint(3, 2, 1), true);
  EXPECT_TRUE(sheet->AnyModified());
  sheet->Undo();
  EXPECT_FALSE(sheet->AnyModified());
}

TEST_F(EditorToolsTest, ADragPaintsEveryDotItPassesAsOneStep) {
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  CCGRAMPage* page = sheet->cgramPage();
  // Across the top row of character 0 in one fast move, then down a column.
  MoveTo(page, DotPoint(0, 0, 0));
  XDoTool("mousedown 1");
  MoveTo(page, DotPoint(0, 0, 4));
  MoveTo(page, DotPoint(0, 3, 4));
  XDoTool("mouseup 1");
  EXPECT_EQ(sheet->config().cgram[0], 0x1F);
  EXPECT_EQ(sheet->config().cgram[1], 0x01);
  EXPECT_EQ(sheet->config().cgram[3], 0x01);
  // The right button clears along its way.
  MoveTo(page, DotPoint(0, 0, 1));
  XDoTool("mousedown 3");
  MoveTo(page, DotPoint(0, 0, 3));
  XDoTool("mouseup 3");
  EXPECT_EQ(sheet->config().cgram[0], 0x11);

  sheet->Undo();
  EXPECT_EQ(sheet->config().cgram[0], 0x1F);
  sheet->Undo();
  EXPECT_EQ(sheet->config().cgram, ConfigImage{}.cgram);
}

TEST_F(EditorToolsTest, ARightClickOnADotClearsItAndOpensNoMenu) {
  int sheetMenus = 0;
  // Bound after the sheet's own handler, so it is asked first.
  sheet->Bind(wxEVT_CONTEXT_MENU, [&](wxContextMenuEvent&) { ++sheetMenus; });
  ASSERT_TRUE(SelectPage(CVRXSheet::kCgramPage));
  CCGRAMPage* page = sheet->cgramPage();
  sheet->config().cgram[9] = 0x1F;
  XDoTool("mousemove " + ScreenArgs(page, DotPoint(1, 1, 0)) + " click 3");
  EXPECT_EQ(sheet->config().cgram[9], 0x0F);
  EXPECT_EQ(sheetMenus, 0);
  ASSERT_TRUE(SelectPage(CVRXSheet::kKeyMapPage));
  KeyMatrix* matrix = sheet->keyMapPage()->keyMatrix();
  XDoTool("mousemove " + ScreenArgs(matrix, matrix->KeyButtonRect(5).GetPosition()) + " click 3");
  EXPECT_EQ(sheetMenus, 0) << "nor on the key matrix";
  XDoTool("mousemove " + ScreenArgs(sheet->keyMapPage(), wxPoint(4, 4)) + " click 3");
  EXPECT_EQ(sheetMenus, 1) << "the sheet itself still has its menu";
}

TEST_F(EditorToolsTest, TheTooltipOfAKeyTellsItsCodesAndName) {
  sheet->config().keys[16] = {true, "E0,75", "E0,F0,75"};
  KeyMatrix* matrix = sheet->keyMapPage()->keyMatrix();
  MoveTo(matrix, matrix->KeyButtonRect(16).GetPosition() + wxPoint(5, 5));
  EXPECT_EQ(matrix->GetToolTipText().utf8_string(),
            "キー17 (ROW1/COL0)\nMake: E0,75\nBreak: E0,F0,75\n↑");
  MoveTo(matrix, matrix->KeyButtonRect(17).GetPosition() + wxPoint(5, 5));
  EXPECT_EQ(matrix->GetToolTipText().utf8_string(), "キー18 (ROW1/COL1)");
}

TEST_F(EditorToolsTest, ADroppedFileOpensAsOpenWouldAndTheRestAreIgnored) {
  ConfigImage image;
  image.optionWord = 0x0041;
  const auto first = WriteImage("first.vrx", image);
  const auto second = WriteImage("second.vrx", ConfigImage{});
  auto* target = dynamic_cast<ui::FileDropTarget*>(sheet->GetDropTarget());
  ASSERT_NE(target, nullptr);
  wxArrayString files;
  files.Add(wxString::FromUTF8(first.string()));
  files.Add(wxString::FromUTF8(second.string()));
  EXPECT_TRUE(target->OnDropFiles(10, 10, files));
  test::PumpPending();
  EXPECT_EQ(sheet->currentPath(), first.string());
  EXPECT_EQ(sheet->config().optionWord, 0x0041);

  // The same prompt and messages as 開く.
  sheet->keyMapPage()->CaptureKey('A');
  test::DialogScript script;
  script.ExpectMessage(kUnsavedPrompt, wxID_NO).ExpectMessage(kCannotOpenText);
  sheet->OnFilesDropped({(scratch / "missing.vrx").string()});
  EXPECT_EQ(sheet->currentPath(), first.string());
}

TEST_F(EditorToolsTest, TheLayoutSheetIsSavedFromTheEditor) {
  const auto path = scratch / "sheet.pdf";
  sheet->SaveLayoutSheet(path.string());
  std::ifstream in(path, std::ios::binary);
  const std::string start(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(start.substr(0, 4), "%PDF");
  test::DialogScript script;
  script.ExpectMessage("レイアウト図を保存できませんでした。");
  sheet->SaveLayoutSheet((scratch / "no-folder" / "sheet.svg").string());
}

TEST_F(EditorToolsTest, TheEditorOpensAFileNamedOnItsCommandLine) {
  const auto path = WriteImage("named on the line.vrx", ConfigImage{});
  const std::string editor = std::string(VRX_BINARY_DIR) + "/bin/VRXEditor";
  const std::string config = (scratch / "config").string();
  char* argv[] = {const_cast<char*>(editor.c_str()), const_cast<char*>(path.c_str()), nullptr};
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, editor.c_str(), nullptr, nullptr, argv, environ), 0);
  const int found = ::vrx::test::RunShell(
      "timeout 15 xdotool search --sync --name 'VRXEditor - named on the line.vrx' >/dev/null");
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(found, 0) << "no window titled with the file";
}

// Place and size of an X window, from xdotool.
struct WindowRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// The shown windows of process `pid` captioned `caption`.
std::vector<WindowRect> WindowsOf(pid_t pid, const std::string& caption) {
  std::vector<WindowRect> windows;
  const auto ids =
      ::vrx::test::RunProcess({"/usr/bin/xdotool", "search", "--all", "--onlyvisible", "--pid",
                               std::to_string(pid), "--name", "^" + caption + "$"});
  std::istringstream idLines(ids.out);
  for (std::string id; std::getline(idLines, id);) {
    const auto shell =
        ::vrx::test::RunProcess({"/usr/bin/xdotool", "getwindowgeometry", "--shell", id});
    WindowRect rect;
    std::istringstream lines(shell.out);
    for (std::string line; std::getline(lines, line);) {
      const auto equals = line.find('=');
      if (equals == std::string::npos) continue;
      const std::string name = line.substr(0, equals);
      const int value = std::atoi(line.c_str() + equals + 1);
      if (name == "X") rect.x = value;
      if (name == "Y") rect.y = value;
      if (name == "WIDTH") rect.width = value;
      if (name == "HEIGHT") rect.height = value;
    }
    windows.push_back(rect);
  }
  return windows;
}

TEST_F(EditorToolsTest, AFileOnTheCommandLineThatCannotBeReadIsReportedOverTheEditor) {
  const std::string editor = std::string(VRX_BINARY_DIR) + "/bin/VRXEditor";
  const std::string missing = (scratch / "missing.vrx").string();
  const std::string config = (scratch / "config").string();
  char* argv[] = {const_cast<char*>(editor.c_str()), const_cast<char*>(missing.c_str()), nullptr};
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, editor.c_str(), nullptr, nullptr, argv, environ), 0);
  // The sheet and its message box are both captioned "VRXEditor".
  std::vector<WindowRect> windows;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (windows.size() < 2 && std::chrono::steady_clock::now() < deadline)
    windows = WindowsOf(child, "VRXEditor");
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  ASSERT_EQ(windows.size(), 2U) << "the editor and its message box";
  std::ranges::sort(windows, {}, [](const WindowRect& w) { return w.width * w.height; });
  const WindowRect& box = windows[0];
  const WindowRect& editorWindow = windows[1];
  const int boxMiddle = box.x + box.width / 2;
  const int editorMiddle = editorWindow.x + editorWindow.width / 2;
  EXPECT_NEAR(boxMiddle, editorMiddle, 40)
      << "box at " << box.x << ", editor at " << editorWindow.x;
  EXPECT_GT(box.y, editorWindow.y);
  EXPECT_LT(box.y + box.height, editorWindow.y + editorWindow.height);
}

}  // namespace
}  // namespace vrx::editor
