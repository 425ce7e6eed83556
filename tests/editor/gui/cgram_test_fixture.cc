#include "tests/editor/gui/cgram_test_fixture.h"

#include <stdlib.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/frame.h>

#include "platform/profile_ini.h"
#include "platform/program_profile.h"
#include "tests/support/gui/event_pump.h"

namespace vrx::test {

void CgramPageTest::SetUp() {
  setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
  profile_ = OpenProgramProfile("VRXEditor", {});
}

void CgramPageTest::TearDown() {
  if (frame_) {
    frame_->Destroy();
    PumpPending();
  }
  unsetenv("XDG_CONFIG_HOME");
}

void CgramPageTest::StoreProfile(const std::string& port, int speedIndex) {
  ProfileStore& profile = *profile_;
  ASSERT_TRUE(profile.WriteString("Option", "COM", port));
  ASSERT_TRUE(profile.WriteInt("Option", "BAUD", speedIndex));
}

// Read back from the file itself, not from the config object the page
// wrote through, so a value that never reached the disk is caught.
std::string CgramPageTest::StoredPort() {
  return IniProfile(ProfilePath("VRXEditor")).ReadString("Option", "COM", "<none>");
}

int CgramPageTest::StoredSpeed() {
  return IniProfile(ProfilePath("VRXEditor")).ReadInt("Option", "BAUD", -100);
}

editor::CCGRAMPage& CgramPageTest::ShowPage() {
  frame_ = new wxFrame(nullptr, wxID_ANY, wxS("CGRAM"));
  page_ = new editor::CCGRAMPage(frame_, config_, *profile_);
  frame_->SetClientSize(page_->GetMinSize());
  page_->SetSize(page_->GetMinSize());
  frame_->Show();
  page_->OnSetActive();
  PumpPending();
  return *page_;
}

void CgramPageTest::Press(const wxPoint& point, bool left) {
  wxMouseEvent event(left ? wxEVT_LEFT_DOWN : wxEVT_RIGHT_DOWN);
  event.SetPosition(point);
  event.SetEventObject(page_);
  page_->GetEventHandler()->ProcessEvent(event);
}

wxPoint CgramPageTest::DotCentre(int character, int row, int column) {
  const wxRect cell = page_->CellRect(character);
  return {cell.x + 16 * column + 8, cell.y + 16 * row + 8};
}

wxChoice& CgramPageTest::PortList() { return *wxStaticCast(page_->FindWindow(1150), wxChoice); }
wxChoice& CgramPageTest::SpeedList() { return *wxStaticCast(page_->FindWindow(1160), wxChoice); }

void CgramPageTest::ClickTest() {
  auto* button = wxStaticCast(page_->FindWindow(1149), wxButton);
  wxCommandEvent click(wxEVT_BUTTON, button->GetId());
  click.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(click);
}

}  // namespace vrx::test
