// The one profile store as the programs open it: where the file lands, what
// it does with odd contents, and that saving is safe against links and
// against other programs saving at the same moment.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/profile_ini.h"
#include "platform/program_profile.h"
#include "tests/support/test_support.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

namespace fs = std::filesystem;

using test::ReadWholeFile;

class ProgramProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", home_.c_str(), 1); }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }
  fs::path Folder() const { return home_ / "Zentrolith"; }

  test::ScratchFolder scratch_{"vrx-program-profile"};
  fs::path home_ = scratch_.path();
};

TEST_F(ProgramProfileTest, EachProgramHasItsOwnFileInAFolderMadeOnDemand) {
  auto writer = OpenProgramProfile("VRXWriter", {});
  EXPECT_EQ(writer->ReadString("Option", "COM", "COM1"), "COM1");
  EXPECT_FALSE(fs::exists(Folder()));  // reading creates nothing
  ASSERT_TRUE(writer->WriteString("Option", "COM", "COM3"));
  ASSERT_TRUE(writer->WriteInt("Option", "BAUD", 2));
  EXPECT_EQ(ReadWholeFile(Folder() / "VRXWriter.conf"), "[Option]\nCOM=COM3\nBAUD=2\n");

  auto editor = OpenProgramProfile("VRXEditor", {});
  EXPECT_EQ(editor->ReadString("Option", "COM", "COM1"), "COM1");
  ASSERT_TRUE(editor->WriteString("Option", "COM", "COM7"));
  EXPECT_EQ(OpenProgramProfile("VRXWriter", {})->ReadString("Option", "COM", ""), "COM3");
}

TEST_F(ProgramProfileTest, HandWrittenValuesAreReadAsWxConfigReadThem) {
  fs::create_directories(Folder());
  std::ofstream(Folder() / "VRXWriter.conf")
      << "[Option]\nCOM=com3\nBAUD=99999999999\nLOW=-99999999999\nOTHER=x\n";
  auto profile = OpenProgramProfile("VRXWriter", {});
  EXPECT_EQ(profile->ReadString("Option", "COM", "COM1"), "com3");
  // Too large for an int: stays out of the lists' range instead of wrapping.
  EXPECT_EQ(profile->ReadInt("Option", "BAUD", 4), INT_MAX);
  EXPECT_EQ(profile->ReadInt("Option", "LOW", 4), INT_MIN);
  EXPECT_EQ(profile->ReadInt("Option", "OTHER", 4), 4);
}

TEST_F(ProgramProfileTest, AFileWhereTheFolderBelongsOnlyMeansNothingIsStored) {
  std::ofstream(Folder()) << "not a folder";
  auto profile = OpenProgramProfile("VRXWriter", {});
  EXPECT_EQ(profile->ReadInt("Option", "BAUD", 4), 4);
  EXPECT_FALSE(profile->WriteString("Option", "COM", "COM2"));
  EXPECT_EQ(ReadWholeFile(Folder()), "not a folder");
}

TEST_F(ProgramProfileTest, ASymbolicLinkIsWrittenThroughAndStays) {
  const fs::path real = home_ / "dotfiles" / "writer.conf";
  fs::create_directories(real.parent_path());
  std::ofstream(real) << "[Other]\nKEEP=1\n";
  fs::create_directories(Folder());
  fs::create_symlink(real, Folder() / "VRXWriter.conf");

  ASSERT_TRUE(OpenProgramProfile("VRXWriter", {})->WriteString("Option", "COM", "COM4"));
  EXPECT_TRUE(fs::is_symlink(Folder() / "VRXWriter.conf"));
  EXPECT_EQ(ReadWholeFile(real), "[Other]\nKEEP=1\n[Option]\nCOM=COM4\n");
}

// Without the lock, two programs reading the same old file and writing it
// back lose each other's values.
TEST_F(ProgramProfileTest, ProgramsSavingAtTheSameTimeLoseNothing) {
  constexpr int kPrograms = 6;
  constexpr int kValuesEach = 15;
  for (int program = 0; program < kPrograms; ++program) {
    if (fork() == 0) {
      auto profile = OpenProgramProfile("VRXWriter", {});
      bool ok = true;
      for (int value = 0; value < kValuesEach; ++value)
        ok = profile->WriteInt(
                 "Option", "P" + std::to_string(program) + "V" + std::to_string(value), value) &&
             ok;
      _exit(ok ? 0 : 1);
    }
  }
  for (int program = 0; program < kPrograms; ++program) {
    int status = 0;
    wait(&status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  auto profile = OpenProgramProfile("VRXWriter", {});
  for (int program = 0; program < kPrograms; ++program)
    for (int value = 0; value < kValuesEach; ++value)
      EXPECT_EQ(profile->ReadInt("Option",
                                 "P" + std::to_string(program) + "V" + std::to_string(value), -1),
                value)
          << program << "/" << value;
  // No temporary or lock file is left beside the profile.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(Folder())) ++files;
  EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace vrx
