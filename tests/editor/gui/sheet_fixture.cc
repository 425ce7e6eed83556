#include "tests/editor/gui/sheet_fixture.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/uiaction.h>

#include <chrono>
#include <thread>

#include "config/data_file.h"
#include "tests/support/gui/event_pump.h"
#include "tests/support/memory_profile.h"

namespace vrx::editor {

ProfileStore& SheetTest::Profile() {
  // The CGRAM page reads and writes it; nothing reaches the user's own.
  static test::MemoryProfile profile;
  return profile;
}

void SheetTest::SetUp() {
  sheet = new CVRXSheet(Profile());
  sheet->startWriter = [this](wxWindow*, const std::string& path) { writerStarts.push_back(path); };
  sheet->Move(0, 0);
  sheet->Show();
  test::PumpUntil([&] { return sheet->IsShownOnScreen(); });
  // With no window manager under Xvfb, only this gives the sheet the
  // keyboard focus.
  sheet->Raise();
  test::PumpUntil([&] { return wxWindow::FindFocus() != nullptr; });
}

void SheetTest::TearDown() {
  sheet->Destroy();
  test::PumpPending();
}

std::filesystem::path SheetTest::WriteImage(const std::string& name, const ConfigImage& image) {
  const std::filesystem::path path = scratch / name;
  EXPECT_TRUE(WriteDataFile(path, image)) << path;
  return path;
}

ConfigImage SheetTest::ReadImage(const std::filesystem::path& path) {
  ConfigImage image;
  EXPECT_EQ(ReadDataFile(path, image), DataFileError::kNone) << path;
  return image;
}

bool SheetTest::SelectPage(int index) {
  // A click on the page's tab, as the user switches pages.
  wxNotebook* book = sheet->notebook();
  for (int y = 2; y < 40; y += 4) {
    for (int x = 2; x < book->GetSize().x; x += 4) {
      if (book->HitTest(wxPoint(x, y)) != index) continue;
      ClickAt(book, wxPoint(x, y));
      return book->GetSelection() == index;
    }
  }
  ADD_FAILURE() << "no tab for page " << index;
  return false;
}

void SheetTest::Click(wxWindow* window) {
  const wxSize size = window->GetSize();
  ClickAt(window, wxPoint(size.x / 2, size.y / 2));
}

void SheetTest::ClickAt(wxWindow* window, wxPoint offset) {
  wxUIActionSimulator input;
  input.MouseMove(window->ClientToScreen(offset));
  test::PumpPending();
  input.MouseClick();
  // Let the X server deliver both the press and the release.
  test::PumpUntil([] { return false; }, std::chrono::milliseconds(60));
}

void SheetTest::PressKey(int keyCode) {
  wxUIActionSimulator input;
  const wxRect area = sheet->GetScreenRect();
  input.MouseMove(area.GetPosition() + wxPoint(area.width / 2, 4));
  test::PumpPending();
  input.Char(keyCode);
  test::PumpUntil([] { return false; }, std::chrono::milliseconds(60));
}

void SheetTest::Press(CVRXSheet::CommandId id) {
  wxCommandEvent click(wxEVT_BUTTON, id);
  click.SetEventObject(sheet->button(id));
  sheet->button(id)->ProcessWindowEvent(click);
  test::PumpPending();
}

}  // namespace vrx::editor
