// The CGRAM page in the shown sheet names a USB adapter that makes a Write
// slow under its port row, below the device line, and the text fits.
#include <gtest/gtest.h>
#include <wx/stattext.h>

#include <cstdlib>
#include <fstream>

#include "editor/gui/cgram_page.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/gui/event_pump.h"
#include "tests/support/gui/screen_grab.h"
#include "ui/port_speed_picker.h"

namespace vrx::editor {
namespace {

using PortWarningTest = SheetTest;

wxStaticText* LabelBeginningWith(wxWindow& page, const std::string& text) {
  for (wxWindow* child : page.GetChildren()) {
    auto* label = wxDynamicCast(child, wxStaticText);
    if (label && label->GetLabel().utf8_string().rfind(text, 0) == 0) return label;
  }
  return nullptr;
}

TEST_F(PortWarningTest, ASlowAdapterIsNamedUnderThePortsDevice) {
  // COM1 is an FTDI adapter whose latency timer was never lowered, COM2
  // one at 1 ms.
  const std::filesystem::path slow = scratch / "ttyUSB0";
  const std::filesystem::path quick = scratch / "ttyUSB1";
  std::ofstream(slow).put('\0');
  std::ofstream(quick).put('\0');
  const std::filesystem::path map = scratch / "ports.conf";
  std::ofstream(map) << "COM1=" << slow.string() << "\nCOM2=" << quick.string() << "\n";
  setenv("VRX_PORT_MAP", map.c_str(), 1);
  CCGRAMPage& page = *sheet->cgramPage();
  page.portSpeedPicker().DescribeDevicesWith([&](const std::string& path) {
    SerialPortInfo device;
    device.devicePath = path;
    device.exists = true;
    device.vendorId = "0403";
    device.productId = "6001";
    device.latencyTimerMs = path == slow.string() ? 16 : 1;
    return device;
  });
  page.portName = "COM1";
  ASSERT_TRUE(SelectPage(1));

  wxStaticText* warning = LabelBeginningWith(page, "遅延");
  ASSERT_NE(warning, nullptr);
  EXPECT_TRUE(warning->IsShown());
  EXPECT_EQ(warning->GetLabel().utf8_string(), "遅延 16 ms：書込みに約8分かかります");
  wxStaticText* device = LabelBeginningWith(page, "COM1: ");
  ASSERT_NE(device, nullptr);
  const wxRect line = warning->GetRect();
  EXPECT_EQ(line.x, device->GetRect().x);
  EXPECT_GT(line.y, device->GetRect().GetBottom());
  EXPECT_LE(warning->GetBestSize().x, line.width) << "clipped horizontally";
  EXPECT_LE(warning->GetBestSize().y, line.height) << "clipped vertically";
  EXPECT_TRUE(wxRect(page.GetClientSize()).Contains(line));
  for (wxWindow* other : page.GetChildren()) {
    if (other != warning) {
      EXPECT_FALSE(line.Intersects(other->GetRect()));
    }
  }
  test::PumpPending();
  test::SaveScreenshotIfAsked(*sheet, "editor-latency-warning");

  // The adapter at 1 ms: nothing to warn about.
  ASSERT_TRUE(SelectPage(0));
  page.portName = "COM2";
  ASSERT_TRUE(SelectPage(1));
  EXPECT_FALSE(warning->IsShown());
  unsetenv("VRX_PORT_MAP");
}

}  // namespace
}  // namespace vrx::editor
