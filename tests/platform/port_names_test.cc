#include "platform/port_names.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/port_names.h"
#include "resources/port_messages.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

TEST(PortNamesTest, ReadsTheMappingFile) {
  const test::ScratchFolder folder("portmap");
  const fs::path file = folder.path() / "ports.conf";
  std::ofstream(file) << "# my adapters\n"
                         "COM1=/dev/serial/by-id/usb-FTDI-if00-port0\n"
                         "  com3 = /dev/ttyS0   # the board's own port\r\n"
                         "not a mapping line\n"
                         "COM4=\n";
  EXPECT_THAT(ReadPortMap(file, {}),
              ElementsAre(std::pair<const std::string, std::string>(
                              "COM1", "/dev/serial/by-id/usb-FTDI-if00-port0"),
                          std::pair<const std::string, std::string>("COM3", "/dev/ttyS0")));
  EXPECT_TRUE(ReadPortMap(file.parent_path() / "missing.conf", {}).empty());
}

TEST(PortNamesTest, ExpandsARangeOfComNames) {
  EXPECT_THAT(*ExpandPortRange("COM1-COM3"), ElementsAre("COM1", "COM2", "COM3"));
  EXPECT_THAT(*ExpandPortRange(" com9 - Com10 "), ElementsAre("COM9", "COM10"));
  EXPECT_THAT(*ExpandPortRange("COM5-COM5"), ElementsAre("COM5"));
  EXPECT_EQ(ExpandPortRange("COM1-COM64")->size(), 64u);
  for (const char* wrong : {"COM1", "COM3-COM1", "COM1-COM65", "COM0-COM2", "COM1-", "-COM2",
                            "COM1-COMx", "/dev/ttyUSB0-/dev/ttyUSB3", "COM1-COM2-COM3", ""})
    EXPECT_FALSE(ExpandPortRange(wrong)) << wrong;
}

TEST(PortNamesTest, ListsUsbAdaptersInNumericOrder) {
  const test::ScratchFolder folder("dev");
  const fs::path dev = folder.path();
  for (const char* name : {"ttyACM0", "ttyUSB10", "ttyUSB2", "ttyS0", "ttyUSB", "ttyUSBx", "tty"})
    std::ofstream(dev / name).put('\0');
  EXPECT_THAT(ListUsbSerialDevices(dev),
              ElementsAre((dev / "ttyUSB2").string(), (dev / "ttyUSB10").string(),
                          (dev / "ttyACM0").string()));
  EXPECT_TRUE(ListUsbSerialDevices(dev / "absent").empty());
}

TEST(PortNamesTest, ResolvesMappedDefaultAndPathNames) {
  const std::map<std::string, std::string> map{{"COM2", "/dev/ttyS1"}};
  const std::vector<std::string> usb{"/dev/ttyUSB0", "/dev/ttyACM0"};
  EXPECT_EQ(ResolvePortName("COM1", map, usb), "/dev/ttyUSB0");  // one adapter, no setup
  EXPECT_EQ(ResolvePortName("com1", map, usb), "/dev/ttyUSB0");
  EXPECT_EQ(ResolvePortName("COM2", map, usb), "/dev/ttyS1");  // the mapping wins
  EXPECT_EQ(ResolvePortName("COM3", map, usb), "");            // beyond the adapters
  EXPECT_EQ(ResolvePortName("COM", map, usb), "");
  EXPECT_EQ(ResolvePortName("COM0", map, usb), "");
  EXPECT_EQ(ResolvePortName("", map, usb), "");
  EXPECT_EQ(ResolvePortName("/dev/pts/4", map, usb), "/dev/pts/4");
  EXPECT_EQ(ResolvePortName("COM2x", map, usb), "");
}

TEST(PortNamesTest, DescribesWhatANameStandsFor) {
  const test::ScratchFolder folder("describe");
  const fs::path dir = folder.path();
  const fs::path present = dir / "present";
  std::ofstream(present).put('\0');
  std::ofstream(dir / "ports.conf")
      << "COM8=" << present.string() << "\nCOM9=" << (dir / "gone").string() << "\n";
  setenv("VRX_PORT_MAP", (dir / "ports.conf").c_str(), 1);
  EXPECT_EQ(PortMapPath(), dir / "ports.conf");
  EXPECT_EQ(port_msg::PortDescription(LocatePortName("COM8")), present.string());
  EXPECT_EQ(port_msg::PortDescription(LocatePortName("COM9")),
            (dir / "gone").string() + " (未接続)");
  EXPECT_EQ(port_msg::PortDescription(LocatePortName("")), "未接続");
  unsetenv("VRX_PORT_MAP");
  EXPECT_THAT(OfferedPortNames(),
              ElementsAre("COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"));
}

}  // namespace
}  // namespace vrx
