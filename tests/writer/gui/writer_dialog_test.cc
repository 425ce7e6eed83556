// The writer's dialog: controls and layout, data exchange with the profile's
// values, Browse, the version box.
#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/stattext.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"
#include "tests/support/gui/screen_grab.h"
#include "tests/writer/gui/writer_dialog_fixture.h"
#include "ui/dialog_units.h"
#include "ui/language_menu.h"
#include "writer/gui/writer_app.h"

namespace fs = std::filesystem;

namespace vrx::test {
namespace {

using writer::CWriterDialog;

// How a control's height is decided.
enum class Fit {
  kExact,         // the template's rectangle
  kDropDown,      // toolkit height, centred on the 14-unit row at rect.y
  kLabel,         // text from the top; grows downwards if the font needs it
  kCentredLabel,  // toolkit height, centred in the rectangle
};

// Controls of the template, as designed: id (0 for labels, found by text),
// text and rectangle in dialog units.
struct TemplateControl {
  int id;
  const char* text;
  ui::DluRect rect;
  Fit fit;
};

// The template's controls below the log sit lower by the row added for the
// Write's progress, and the dialog is taller by it.
constexpr int kProgressRow = 12;
constexpr int kBottomRow = 206 + kProgressRow;

const TemplateControl kTemplate[] = {
    {2, "終了", {208, kBottomRow, 50, 14}, Fit::kExact},
    {1000, "", {6, 44, 224, 14}, Fit::kExact},
    {1001, "参照", {232, 44, 26, 14}, Fit::kExact},
    {3, "書込み", {154, kBottomRow, 50, 14}, Fit::kExact},
    {1003, "", {28, kBottomRow, 36, 112}, Fit::kDropDown},
    {0, "ポート", {6, kBottomRow, 18, 14}, Fit::kCentredLabel},
    {0,
     "VRX7100のフラッシュメモリに書込みを行います。\n\nデータファイルを選択して「書込み」ボタン"
     "を押してください。",
     {6, 6, 252, 30},
     Fit::kLabel},
    {1005, "", {6, 64, 252, 134}, Fit::kExact},
    {1006, "", {92, kBottomRow, 38, 90}, Fit::kDropDown},
    {0, "速度", {70, kBottomRow, 18, 14}, Fit::kCentredLabel},
    {0, "bps", {132, kBottomRow, 16, 14}, Fit::kCentredLabel},
    // The added row: the bar, and the time left beside it.
    {1010, "", {6, 202, 200, 8}, Fit::kExact},
    {1011, "", {210, 201, 48, 10}, Fit::kCentredLabel},
};
// Hidden unless the chosen port makes a Write slow (see below).
constexpr int kLatencyWarningId = 1012;

double Middle(const wxRect& rect) { return rect.y + rect.height / 2.0; }

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

wxWindow* FindControl(wxWindow& dialog, const TemplateControl& control) {
  if (control.id != 0) return dialog.FindWindow(control.id);
  for (wxWindow* child : dialog.GetChildren())
    if (dynamic_cast<wxStaticText*>(child) && Utf8(child->GetLabel()) == control.text) return child;
  return nullptr;
}

TEST_F(WriterDialogTest, ControlsSitAtTheirTemplateRectangles) {
  CWriterDialog& dialog = Open();
  EXPECT_EQ(Utf8(dialog.GetTitle()), "VRXWriter");
  EXPECT_EQ(dialog.GetClientSize(),
            ui::DluRectToPixels(&dialog, 0, 0, 267, 225 + kProgressRow).GetSize());

  std::vector<wxRect> placed;
  for (const TemplateControl& control : kTemplate) {
    SCOPED_TRACE(control.text[0] ? control.text : std::to_string(control.id).c_str());
    wxWindow* window = FindControl(dialog, control);
    ASSERT_NE(window, nullptr);
    const bool hasText = control.text[0] != 0;
    if (hasText) {
      EXPECT_EQ(Utf8(window->GetLabel()), control.text);
    }
    const wxRect expected = ui::DluRectToPixels(&dialog, control.rect);
    const wxRect actual = window->GetRect();
    EXPECT_EQ(actual.x, expected.x);
    if (control.fit == Fit::kLabel || control.fit == Fit::kCentredLabel) {
      EXPECT_GE(actual.width, expected.width);  // grows right only if the font needs it
    } else {
      EXPECT_EQ(actual.width, expected.width);
    }
    switch (control.fit) {
      case Fit::kExact:
        EXPECT_EQ(actual.y, expected.y);
        EXPECT_EQ(actual.height, expected.height);
        break;
      case Fit::kDropDown: {
        const wxRect row = ui::DluRectToPixels(&dialog, {control.rect.x, control.rect.y, 1, 14});
        EXPECT_LE(actual.height, row.height);
        EXPECT_NEAR(Middle(actual), Middle(row), 1.0);
        break;
      }
      case Fit::kLabel:
        EXPECT_EQ(actual.y, expected.y);
        EXPECT_GE(actual.height, expected.height);
        break;
      case Fit::kCentredLabel:
        EXPECT_LE(actual.height, expected.height);
        EXPECT_NEAR(Middle(actual), Middle(expected), 1.0);
        break;
    }
    // No text is cut off.
    if (hasText) {
      EXPECT_LE(window->GetBestSize().x, actual.width) << "clipped horizontally";
      if (control.fit != Fit::kExact) {
        EXPECT_LE(window->GetBestSize().y, actual.height) << "clipped vertically";
      }
    }
    // Nothing reaches outside the dialog or into another control.
    EXPECT_TRUE(wxRect(dialog.GetClientSize()).Contains(actual));
    for (const wxRect& other : placed) {
      EXPECT_FALSE(actual.Intersects(other)) << "overlap";
    }
    placed.push_back(actual);
  }
  ASSERT_NE(dialog.FindWindow(kLatencyWarningId), nullptr);
  EXPECT_FALSE(dialog.FindWindow(kLatencyWarningId)->IsShown());
  EXPECT_EQ(dialog.GetChildren().size(), std::size(kTemplate) + 1);
}

// A port whose FTDI adapter makes a Write slow is named under the port's
// row; the dialog grows by that line while it shows, and the line fits.
TEST_F(WriterDialogTest, ASlowAdapterIsNamedUnderThePortAndTheDialogMakesRoomForIt) {
  ScratchFolder dir;
  const fs::path map = dir.path() / "ports.conf";
  std::ofstream(map) << "COM3=/dev/ttyUSB0\nCOM4=/dev/ttyUSB1\n";
  setenv("VRX_PORT_MAP", map.c_str(), 1);
  devices_ = [](const std::string& path) {
    SerialPortInfo device;
    device.devicePath = path;
    device.exists = true;
    device.vendorId = "0403";
    device.productId = "6001";
    device.driver = "ftdi_sio";
    device.latencyTimerMs = path == "/dev/ttyUSB0" ? 16 : 1;
    return device;
  };
  CWriterDialog& dialog = Open([](CWriterDialog& d) {
    d.filePath = "/home/user/keyboard.vrx";
    d.portName = "COM3";
  });
  const auto clientSize = [&](int height) {
    return ui::DluRectToPixels(&dialog, 0, 0, 267, height).GetSize();
  };
  const int plainHeight = 225 + kProgressRow;
  wxWindow& warning = *dialog.FindWindow(kLatencyWarningId);
  EXPECT_TRUE(warning.IsShown());
  EXPECT_EQ(Utf8(warning.GetLabel()), "遅延 16 ms：書込みに約8分かかります");
  EXPECT_TRUE(PumpUntil([&] { return dialog.GetClientSize() == clientSize(plainHeight + 13); }))
      << dialog.GetClientSize().y;

  const wxRect line = warning.GetRect();
  for (int id : {2, 3, 1003, 1006})
    EXPECT_GE(line.y, dialog.FindWindow(id)->GetRect().GetBottom()) << "under the row: " << id;
  EXPECT_EQ(line.x, ui::DluRectToPixels(&dialog, 6, kBottomRow, 18, 14).x);
  EXPECT_LE(warning.GetBestSize().x, line.width) << "clipped horizontally";
  EXPECT_LE(warning.GetBestSize().y, line.height) << "clipped vertically";
  EXPECT_TRUE(wxRect(dialog.GetClientSize()).Contains(line));
  SaveScreenshotIfAsked(dialog, "writer-latency-warning");

  // An adapter at 1 ms: the line goes, and the dialog is as before.
  wxChoice& port = Find<wxChoice>(CWriterDialog::kIdPort);
  port.SetSelection(3);  // COM4
  wxCommandEvent chosen(wxEVT_CHOICE, CWriterDialog::kIdPort);
  chosen.SetEventObject(&port);
  chosen.SetInt(3);
  port.ProcessWindowEvent(chosen);
  EXPECT_FALSE(warning.IsShown());
  EXPECT_TRUE(PumpUntil([&] { return dialog.GetClientSize() == clientSize(plainHeight); }))
      << dialog.GetClientSize().y;
  unsetenv("VRX_PORT_MAP");
}

TEST_F(WriterDialogTest, TabOrderDefaultButtonAndLists) {
  CWriterDialog& dialog = Open();
  std::vector<int> focusable;
  for (wxWindow* child : dialog.GetChildren())
    if (child->CanAcceptFocusFromKeyboard()) focusable.push_back(child->GetId());
  EXPECT_EQ(focusable, (std::vector<int>{2, 1000, 1001, 3, 1003, 1006}));
  EXPECT_EQ(dialog.GetDefaultItem(), dialog.FindWindow(3));
  EXPECT_EQ(dialog.GetEscapeId(), 2);
  // The keyboard focus starts on 書込み, so Enter writes at once.
  EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == dialog.FindWindow(3); }))
      << "focus on " << (wxWindow::FindFocus() ? wxWindow::FindFocus()->GetId() : 0);

  auto entries = [this](int id) {
    std::vector<std::string> texts;
    for (const wxString& text : Find<wxChoice>(id).GetStrings()) texts.push_back(Utf8(text));
    return texts;
  };
  EXPECT_EQ(entries(1003), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                                     "COM7", "COM8", "COM9"}));
  EXPECT_EQ(entries(1006),
            (std::vector<std::string>{"4800", "9600", "14400", "19200", "38400", "57600"}));
}

TEST_F(WriterDialogTest, DefaultsSelectCom1At38400WithAnEmptyPath) {
  Open();
  EXPECT_EQ(PathText(), "");
  EXPECT_EQ(PortText(), "COM1");
  EXPECT_EQ(SpeedSelection(), 4);
  EXPECT_EQ(LogText(), "");
}

// Start-up over the profile and the command line, as CWriterApp does it.
void StartLike(CWriterDialog& dialog, ProfileStore& profile, std::vector<std::string> argv) {
  argv.insert(argv.begin(), "VRXWriter");
  writer::LoadStartupState(dialog, profile, ParseWriterCommandLine(argv));
}

TEST_F(WriterDialogTest, ProfilePortMatchesAPrefixIgnoringCase) {
  profile_.values = {{"Option/COM", "com3"}, {"Option/BAUD", "2"}};
  Open([this](CWriterDialog& dialog) { StartLike(dialog, profile_, {}); });
  EXPECT_EQ(PortText(), "COM3");
  EXPECT_EQ(SpeedSelection(), 2);
}

TEST_F(WriterDialogTest, ProfileValuesOutsideTheListsLeaveThemEmpty) {
  profile_.values = {{"Option/COM", "COM12"}, {"Option/BAUD", "6"}};
  CWriterDialog& dialog = Open([this](CWriterDialog& d) { StartLike(d, profile_, {}); });
  EXPECT_EQ(PortText(), "");
  EXPECT_EQ(SpeedSelection(), wxNOT_FOUND);
  dialog.TransferDataFromWindow();
  EXPECT_EQ(dialog.portName, "");
  EXPECT_EQ(dialog.speedIndex, -1);
}

TEST_F(WriterDialogTest, CommandLinePathFillsTheEditOnly) {
  ScratchFolder dir;
  const std::string path = (dir.path() / "my keys.vrx").string();
  Open([&](CWriterDialog& d) { StartLike(d, profile_, {path}); });
  EXPECT_EQ(PathText(), path);
  EXPECT_EQ(LogText(), "");  // nothing loaded until 書込み
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(WriterDialogTest, PrintSwitchOrEmptyArgumentLeaveTheEditEmpty) {
  Open([&](CWriterDialog& d) { StartLike(d, profile_, {"/p", "a.vrx"}); });
  EXPECT_EQ(PathText(), "");
  dialog_->filePath.clear();
  StartLike(*dialog_, profile_, {""});
  dialog_->TransferDataToWindow();
  EXPECT_EQ(PathText(), "");
}

TEST_F(WriterDialogTest, BrowseOffersDataFilesAndAddsTheDefaultExtension) {
  ScratchFolder dir;
  Open([&](CWriterDialog& d) { d.filePath = (dir.path() / "old.vrx").string(); });
  DialogScript script;
  script.ExpectFileDialog((dir.path() / "new keys").string());
  Click(CWriterDialog::kIdBrowse);
  EXPECT_TRUE(script.AllMet());
  EXPECT_EQ(PathText(), (dir.path() / "new keys.vrx").string());
  ASSERT_EQ(script.fileDialogs().size(), 1u);
  const SeenFileDialog& seen = script.fileDialogs()[0];
  EXPECT_EQ(seen.wildcard, "VRX7100 データ (*.vrx;*.txt)|*.vrx;*.txt");
  EXPECT_EQ(seen.initialName, "old.vrx");
  EXPECT_EQ(seen.initialDirectory, dir.path().string());
  // The folder must exist, the file need not.
  EXPECT_EQ(seen.style & (wxFD_FILE_MUST_EXIST | wxFD_SAVE | wxFD_MULTIPLE), 0);
}

TEST_F(WriterDialogTest, BrowseKeepsAnExtensionAndCancelKeepsThePath) {
  ScratchFolder dir;
  Open([&](CWriterDialog& d) { d.filePath = "typed.vrx"; });
  {
    DialogScript script;
    script.ExpectFileDialogCancelled();
    Click(CWriterDialog::kIdBrowse);
  }
  EXPECT_EQ(PathText(), "typed.vrx");
  DialogScript script;
  script.ExpectFileDialog((dir.path() / "keys.txt").string());
  Click(CWriterDialog::kIdBrowse);
  EXPECT_EQ(PathText(), (dir.path() / "keys.txt").string());
}

TEST_F(WriterDialogTest, ExitAndCloseBoxEndWithoutExchangeOrProfileWrite) {
  CWriterDialog& dialog = Open([](CWriterDialog& d) { d.filePath = "start.vrx"; });
  Find<wxTextCtrl>(CWriterDialog::kIdPath).ChangeValue(wxS("typed.vrx"));
  Click(CWriterDialog::kIdExit);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(dialog.filePath, "start.vrx");
  dialog.Show();
  PumpPending();
  dialog.Close();  // the window's close box
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_TRUE(profile_.writes.empty());
}

TEST_F(WriterDialogTest, VersionBoxFromTheContextMenu) {
  CWriterDialog& dialog = Open();
  const std::unique_ptr<wxMenu> menu = dialog.CreateContextMenu();
  ASSERT_NE(menu, nullptr);
  const wxMenuItem* entry = menu->FindItem(0x0010);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(Utf8(entry->GetItemLabel()), "VRXWriter のﾊﾞｰｼﾞｮﾝ情報(&A)...");

  std::vector<std::string> texts;
  DialogScript script;
  script.ExpectDialog("version box", [&](wxDialog& box) {
    EXPECT_EQ(Utf8(box.GetTitle()), "VRXWriterのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(box.GetClientSize(), ui::DluRectToPixels(&box, 0, 0, 235, 55).GetSize());
    for (wxWindow* child : box.GetChildren()) texts.push_back(Utf8(child->GetLabel()));
    return static_cast<int>(wxID_OK);
  });
  dialog.ShowVersionBox();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "VRXWriter Version 1.0"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "OK"), texts.end());
}

// The language entry stores the choice for the next start and says so;
// the running window keeps its language.
TEST_F(WriterDialogTest, LanguageChoiceFromTheContextMenuIsStoredForTheNextStart) {
  CWriterDialog& dialog = Open();
  auto entries = [&] {
    const std::unique_ptr<wxMenu> menu = dialog.CreateContextMenu();
    std::vector<std::pair<std::string, bool>> found;
    const wxMenuItem* language = nullptr;
    for (const wxMenuItem* item : menu->GetMenuItems())
      if (Utf8(item->GetItemLabel()) == "言語 / Language") language = item;
    EXPECT_NE(language, nullptr);
    if (language == nullptr || language->GetSubMenu() == nullptr) return found;
    for (const wxMenuItem* item : language->GetSubMenu()->GetMenuItems())
      if (!item->IsSeparator())
        found.emplace_back(Utf8(item->GetItemLabel()), item->IsCheckable() && item->IsChecked());
    return found;
  };
  using Entries = std::vector<std::pair<std::string, bool>>;
  const std::string notice = "言語の変更は次回の起動から有効になります。";
  EXPECT_EQ(
      entries(),
      (Entries{{"システムの言語", true}, {"日本語", false}, {"English", false}, {notice, false}}));

  EXPECT_TRUE(ui::ChooseLanguage(profile_, ui::kEnglishLanguageId));
  EXPECT_EQ(profile_.values["Option/LANGUAGE"], "en");
  EXPECT_EQ(
      entries(),
      (Entries{{"システムの言語", false}, {"日本語", false}, {"English", true}, {notice, false}}));
  EXPECT_EQ(Utf8(dialog.FindWindow(CWriterDialog::kIdWrite)->GetLabel()), "書込み");

  EXPECT_TRUE(ui::ChooseLanguage(profile_, ui::kFollowSystemLanguageId));
  EXPECT_EQ(profile_.values["Option/LANGUAGE"], "");
  EXPECT_FALSE(ui::ChooseLanguage(profile_, CWriterDialog::kIdAbout));
  EXPECT_EQ(profile_.values["Option/LANGUAGE"], "");
}

}  // namespace
}  // namespace vrx::test
