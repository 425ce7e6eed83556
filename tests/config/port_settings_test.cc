// What the programs remember of the port: COM names only, so that the
// other program's list of COM names can always show it.
#include "config/port_settings.h"

#include <gtest/gtest.h>

#include "platform/port_names.h"
#include "tests/support/memory_profile.h"

namespace vrx {
namespace {

TEST(PortSettings, OnlyComNamesCountAsNames) {
  for (const char* name : {"COM1", "COM9", "com3", "Com12", "COM99", " COM3\t"})
    EXPECT_TRUE(IsComName(name)) << name;
  for (const char* name : {"", "COM", "COM0", "COM100", "COM1x", "XCOM1", "/dev/ttyUSB0",
                           "/tmp/vrx/port", "\\\\.\\COM7", "LPT1"})
    EXPECT_FALSE(IsComName(name)) << name;
}

TEST(PortSettings, AWriteThroughADevicePathKeepsTheRememberedPortAndStoresTheSpeed) {
  test::MemoryProfile profile;
  profile.values = {{"Option/COM", "COM2"}, {"Option/BAUD", "4"}};
  EXPECT_TRUE(WritePortSettings(profile, {"/tmp/vrx/port", 3}));
  EXPECT_EQ(profile.writes, std::vector<std::string>{"Option/BAUD=3"});
  EXPECT_EQ(ReadPortSettings(profile).portName, "COM2");
  EXPECT_EQ(ReadPortSettings(profile).speedIndex, 3);

  EXPECT_TRUE(WritePortSettings(profile, {"com5", 1}));
  EXPECT_EQ(profile.values["Option/COM"], "com5");
}

TEST(PortSettings, AStoredValueThatIsNoComNameIsNoPort) {
  test::MemoryProfile profile;
  profile.values = {{"Option/COM", "/tmp/vrx/port"}, {"Option/BAUD", "2"}};
  EXPECT_FALSE(HasStoredPort(profile));
  EXPECT_EQ(StoredPortText(profile), "/tmp/vrx/port");
  const PortSettings settings = ReadPortSettings(profile);
  EXPECT_EQ(settings.portName, PortSettings{}.portName);
  EXPECT_EQ(settings.speedIndex, 2);

  profile.values["Option/COM"] = "COM4";
  EXPECT_TRUE(HasStoredPort(profile));
  EXPECT_EQ(ReadPortSettings(profile).portName, "COM4");
}

}  // namespace
}  // namespace vrx
