// The port and speed lists shared by the LCD test and the writer: how a
// remembered port and speed are shown, and what is read back.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/tooltip.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "tests/support/scratch_folder.h"
#include "ui/port_speed_picker.h"

namespace vrx::test {
namespace {

class PortSpeedPickerTest : public testing::Test {
 protected:
  ui::PortSpeedPicker& Picker(ui::PortMatch match) {
    frame_ = new wxFrame(nullptr, wxID_ANY, wxS("picker"));
    picker_.emplace(frame_,
                    ui::PortSpeedPickerStyle{
                        wxID_ANY, wxID_ANY, {0, 0, 40, 98}, {50, 0, 40, 84}, 14, false, match});
    return *picker_;
  }
  void TearDown() override {
    picker_.reset();
    if (frame_) frame_->Destroy();
  }

  wxFrame* frame_ = nullptr;
  std::optional<ui::PortSpeedPicker> picker_;
};

TEST_F(PortSpeedPickerTest, OffersNinePortsAndTheSixSpeedsBelow128000) {
  ui::PortSpeedPicker& picker = Picker(ui::PortMatch::kEntryOrNone);
  ASSERT_EQ(picker.portList().GetCount(), 9u);
  EXPECT_EQ(picker.portList().GetString(8), wxS("COM9"));
  const wxArrayString speeds = ui::OfferedSpeedEntries();
  ASSERT_EQ(speeds.size(), 6u);
  EXPECT_EQ(speeds[0], wxS("4800"));
  EXPECT_EQ(speeds[5], wxS("57600"));
  EXPECT_EQ(picker.speedList().GetStrings(), speeds);
}

TEST_F(PortSpeedPickerTest, EntryOrNoneMatchesAPrefixInAnyCaseAndClearsOtherwise) {
  ui::PortSpeedPicker& picker = Picker(ui::PortMatch::kEntryOrNone);
  auto* device = new wxStaticText(frame_, wxID_ANY, wxString());
  picker.ShowDeviceIn(device);

  picker.Show({"com3", 5});
  EXPECT_EQ(picker.Chosen().portName, "COM3");
  EXPECT_EQ(picker.Chosen().speedIndex, 5);
  EXPECT_EQ(device->GetLabel().utf8_string().rfind("COM3: ", 0), 0u);
  ASSERT_NE(picker.portList().GetToolTip(), nullptr);
  EXPECT_EQ(picker.portList().GetToolTip()->GetTip(), device->GetLabel());

  for (const char* unmatched : {"COM12", ""}) {
    picker.Show({"COM3", 0});
    picker.Show({unmatched, 6});  // 128000 bit/s has no entry
    EXPECT_EQ(picker.Chosen().portName, "") << unmatched;
    EXPECT_EQ(picker.Chosen().speedIndex, -1) << unmatched;
    EXPECT_EQ(device->GetLabel(), wxString()) << unmatched;
    EXPECT_EQ(picker.portList().GetToolTip(), nullptr) << unmatched;
  }
}

TEST_F(PortSpeedPickerTest, TheDeviceTipLeavesWhileTheListOpensAndReturnsWithThePointer) {
  ui::PortSpeedPicker& picker = Picker(ui::PortMatch::kEntryOrNone);
  picker.Show({"COM2", 1});
  ASSERT_NE(picker.portList().GetToolTip(), nullptr);
  const wxString tip = picker.portList().GetToolTip()->GetTip();

  wxMouseEvent press(wxEVT_LEFT_DOWN);
  press.SetEventObject(&picker.portList());
  picker.portList().GetEventHandler()->ProcessEvent(press);
  EXPECT_EQ(picker.portList().GetToolTip(), nullptr);

  wxMouseEvent enter(wxEVT_ENTER_WINDOW);
  enter.SetEventObject(&picker.portList());
  picker.portList().GetEventHandler()->ProcessEvent(enter);
  ASSERT_NE(picker.portList().GetToolTip(), nullptr);
  EXPECT_EQ(picker.portList().GetToolTip()->GetTip(), tip);

  // With no port chosen there is no tip to bring back.
  picker.Show({"", 1});
  picker.portList().GetEventHandler()->ProcessEvent(enter);
  EXPECT_EQ(picker.portList().GetToolTip(), nullptr);
}

TEST_F(PortSpeedPickerTest, EntryOrUnchangedKeepsTheSelectionForAnUnmatchedName) {
  ui::PortSpeedPicker& picker = Picker(ui::PortMatch::kEntryOrUnchanged);
  picker.Show({"COM12", 2});
  EXPECT_EQ(picker.Chosen().portName, "");  // nothing was selected yet
  picker.Show({"COM7", -1});
  EXPECT_EQ(picker.Chosen().portName, "COM7");
  EXPECT_EQ(picker.Chosen().speedIndex, -1);
  picker.Show({"COM12", 4});
  EXPECT_EQ(picker.Chosen().portName, "COM7");
  EXPECT_EQ(picker.Chosen().speedIndex, 4);
  picker.Show({"COM", 4});  // the bare prefix: the first entry
  EXPECT_EQ(picker.Chosen().portName, "COM1");
}

// The line under the port list names only a present FTDI adapter whose
// latency timer makes a Write slow, and follows the choice in the list.
TEST_F(PortSpeedPickerTest, WarnsUnderThePortOfASlowAdapterOnly) {
  ScratchFolder folder;
  const std::filesystem::path map = folder.path() / "ports.conf";
  std::ofstream(map) << "COM1=/dev/slow\nCOM2=/dev/quick\nCOM3=/dev/cp210x\nCOM4=/dev/gone\n";
  setenv("VRX_PORT_MAP", map.c_str(), 1);
  ui::PortSpeedPicker& picker = Picker(ui::PortMatch::kEntryOrNone);
  picker.DescribeDevicesWith([](const std::string& path) {
    SerialPortInfo device;
    device.devicePath = path;
    device.exists = path != "/dev/gone";
    if (path != "/dev/cp210x") {
      device.vendorId = "0403";
      device.productId = "6001";
      device.latencyTimerMs = path == "/dev/quick" ? 2 : 16;
    }
    return device;
  });
  auto* warning = new wxStaticText(frame_, wxID_ANY, wxString());
  int shownOrHidden = 0;
  picker.ShowLatencyWarningIn(warning, [&] { ++shownOrHidden; });
  EXPECT_FALSE(warning->IsShown());

  picker.Show({"COM1", 4});
  EXPECT_TRUE(warning->IsShown());
  EXPECT_EQ(warning->GetLabel().utf8_string(), "遅延 16 ms：書込みに約8分かかります");
  EXPECT_EQ(shownOrHidden, 1);

  // A fast FTDI adapter, another chip, an unplugged adapter, a name for
  // nothing and no name at all: nothing to warn about.
  for (const char* name : {"COM2", "COM3", "COM4", "COM9", ""}) {
    picker.Show({name, 4});
    EXPECT_FALSE(warning->IsShown()) << name;
  }
  EXPECT_EQ(shownOrHidden, 2) << "told once when it went, not for every choice";

  // A choice made in the list shows it again.
  picker.portList().SetSelection(0);
  wxCommandEvent chosen(wxEVT_CHOICE, picker.portList().GetId());
  chosen.SetEventObject(&picker.portList());
  chosen.SetInt(0);
  picker.portList().ProcessWindowEvent(chosen);
  EXPECT_TRUE(warning->IsShown());
  EXPECT_EQ(shownOrHidden, 3);
  unsetenv("VRX_PORT_MAP");
}

}  // namespace
}  // namespace vrx::test
