#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <thread>

#include "config/port_settings.h"
#include "platform/profile_ini.h"
#include "tests/support/test_support.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

namespace fs = std::filesystem;

using test::ReadWholeFile;

TEST(IniProfileTest, MissingFileGivesDefaultsAndFirstWriteCreatesIt) {
  const test::ScratchFolder folder("ini-new");
  const fs::path file = folder.path() / "Zentrolith" / "VRXWriter.conf";
  IniProfile profile(file);
  EXPECT_EQ(profile.ReadString("Option", "COM", "COM1"), "COM1");
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), 4);
  ASSERT_TRUE(profile.WriteString("Option", "COM", "COM3"));
  ASSERT_TRUE(profile.WriteInt("Option", "BAUD", 2));
  EXPECT_EQ(ReadWholeFile(file), "[Option]\nCOM=COM3\nBAUD=2\n");
  EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST(IniProfileTest, UpdatesInPlaceAndKeepsWhatItDoesNotKnow) {
  const test::ScratchFolder folder("ini-keep");
  const fs::path dir = folder.path();
  fs::create_directories(dir);
  const fs::path file = dir / "VRXWriter.conf";
  std::ofstream(file) << "; written by hand\n"
                         "Top=1\n"
                         "[Window]\n"
                         "x=10\n"
                         "[option]\n"
                         "baud = 5\n"
                         "Extra=keep me\n"
                         "\n"
                         "[Other]\n"
                         "COM=COM9\n";
  IniProfile profile(file);
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), 5);              // names ignore case
  EXPECT_EQ(profile.ReadString("Option", "COM", "COM1"), "COM1");  // other section's COM
  ASSERT_TRUE(profile.WriteInt("Option", "BAUD", 1));
  ASSERT_TRUE(profile.WriteString("Option", "COM", "COM2"));
  EXPECT_EQ(ReadWholeFile(file),
            "; written by hand\nTop=1\n[Window]\nx=10\n[option]\nBAUD=1\nExtra=keep me\n"
            "COM=COM2\n\n[Other]\nCOM=COM9\n");
}

TEST(IniProfileTest, ValuesRoundTripWithWxEscapes) {
  const test::ScratchFolder folder("ini-escape");
  const fs::path file = folder.path() / "p.conf";
  IniProfile profile(file);
  for (std::string value : {"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", " padded ",
                            "back\\slash \"quoted\"", "tab\there", ""}) {
    ASSERT_TRUE(profile.WriteString("Option", "COM", value));
    EXPECT_EQ(profile.ReadString("Option", "COM", "x"), value);
  }
  ASSERT_TRUE(profile.WriteString("Option", "COM", " padded "));
  EXPECT_THAT(ReadWholeFile(file), ::testing::HasSubstr("COM=\" padded \"\n"));
}

TEST(IniProfileTest, BadNumbersAndUnwritableFoldersAreNotErrors) {
  const test::ScratchFolder folder("ini-bad");
  const fs::path dir = folder.path();
  fs::create_directories(dir);
  std::ofstream(dir / "p.conf") << "[Option]\nBAUD=fast\nCOM\n";
  IniProfile profile(dir / "p.conf");
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), 4);
  EXPECT_EQ(profile.ReadString("Option", "COM", "COM1"), "COM1");

  std::ofstream(dir / "plain-file") << "x";  // a file where the folder should be
  IniProfile blocked(dir / "plain-file" / "p.conf");
  EXPECT_FALSE(blocked.WriteString("Option", "COM", "COM3"));
  EXPECT_FALSE(blocked.WriteInt("Option", "BAUD", 3));
}

}  // namespace
}  // namespace vrx

namespace vrx {
namespace {

// Two programs storing their port and speed at the same moment, each
// reading the pair back after every write, and a third only reading: every
// pair read is one that was written, and so is the file at the end.
TEST(IniProfileTest, PortAndSpeedAreStoredAndReadAsOnePair) {
  const test::ScratchFolder folder("ini-pair");
  const fs::path file = folder.path() / "VRXWriter.conf";
  const PortSettings pairs[] = {{"COM7", 2}, {"COM3", 5}};
  const auto isWritten = [&](const PortSettings& read) {
    return std::any_of(std::begin(pairs), std::end(pairs), [&](const PortSettings& pair) {
      return pair.portName == read.portName && pair.speedIndex == read.speedIndex;
    });
  };
  {
    IniProfile first(file);
    ASSERT_TRUE(WritePortSettings(first, pairs[0]));
  }
  std::atomic<int> mixed{0};
  std::atomic<int> failed{0};
  std::atomic<bool> writing{true};
  const auto writer = [&](const PortSettings& pair) {
    IniProfile profile(file);
    for (int i = 0; i < 150; ++i) {
      if (!WritePortSettings(profile, pair)) ++failed;
      if (!isWritten(ReadPortSettings(profile))) ++mixed;
    }
  };
  std::thread reader([&] {
    IniProfile profile(file);
    while (writing)
      if (!isWritten(ReadPortSettings(profile))) ++mixed;
  });
  std::thread a(writer, pairs[0]);
  std::thread b(writer, pairs[1]);
  a.join();
  b.join();
  writing = false;
  reader.join();
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(mixed, 0);
  IniProfile last(file);
  EXPECT_TRUE(isWritten(ReadPortSettings(last)));
  EXPECT_THAT(ReadWholeFile(file), ::testing::HasSubstr("[Option]\nCOM="));
}

}  // namespace
}  // namespace vrx
