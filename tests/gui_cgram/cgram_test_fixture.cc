#include "cgram_test_fixture.h"

#include <stdlib.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/frame.h>

#include "event_pump.h"
#include "wx_profile.h"

namespace vrx::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vrx-cgram-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string InstalledProfile::ReadString(std::string_view section, std::string_view key,
                                         std::string_view fallback) {
  return ui::WxConfigProfile(*wxConfigBase::Get()).ReadString(section, key, fallback);
}

int InstalledProfile::ReadInt(std::string_view section, std::string_view key, int fallback) {
  return ui::WxConfigProfile(*wxConfigBase::Get()).ReadInt(section, key, fallback);
}

bool InstalledProfile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value) {
  return ui::WxConfigProfile(*wxConfigBase::Get()).WriteString(section, key, value);
}

bool InstalledProfile::WriteInt(std::string_view section, std::string_view key, int value) {
  return ui::WxConfigProfile(*wxConfigBase::Get()).WriteInt(section, key, value);
}

void CgramPageTest::SetUp() {
  setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
  ui::InstallProgramConfig("VRXEditor");
}

void CgramPageTest::TearDown() {
  if (frame_) {
    frame_->Destroy();
    PumpPending();
  }
  delete wxConfigBase::Set(nullptr);
  unsetenv("XDG_CONFIG_HOME");
}

void CgramPageTest::StoreProfile(const std::string& port, int speedIndex) {
  ASSERT_TRUE(profile_.WriteString("Option", "COM", port));
  ASSERT_TRUE(profile_.WriteInt("Option", "BAUD", speedIndex));
}

// Read back from the file itself, not from the config object the page
// wrote through, so a value that never reached the disk is caught.
std::string CgramPageTest::StoredPort() {
  ui::InstallProgramConfig("VRXEditor");
  return profile_.ReadString("Option", "COM", "<none>");
}

int CgramPageTest::StoredSpeed() {
  ui::InstallProgramConfig("VRXEditor");
  return profile_.ReadInt("Option", "BAUD", -100);
}

editor::CCGRAMPage& CgramPageTest::ShowPage() {
  frame_ = new wxFrame(nullptr, wxID_ANY, wxS("CGRAM"));
  page_ = new editor::CCGRAMPage(frame_, config_, profile_);
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
