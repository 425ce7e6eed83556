// The port and speed lists shared by the LCD test and the writer: how a
// remembered port and speed are shown, and what is read back.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/tooltip.h>

#include <optional>

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

}  // namespace
}  // namespace vrx::test
