// The profile through wxConfig: the file lands in a Zentrolith folder that is
// created on demand, values round-trip, and odd stored values are handled.
#include <gtest/gtest.h>
#include <wx/config.h>
#include <wx/fileconf.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "dialog_script.h"
#include "event_pump.h"
#include "profile.h"
#include "scratch_folder.h"
#include "wx_profile.h"

namespace fs = std::filesystem;

namespace {

// A fresh $XDG_CONFIG_HOME for one test.
class ScratchConfigHome {
 public:
  ScratchConfigHome() {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) previous_ = old;
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  }
  ~ScratchConfigHome() {
    delete wxConfigBase::Set(nullptr);
    if (previous_)
      setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }
  const fs::path& dir() const { return dir_; }

 private:
  vrx::test::ScratchFolder folder_{"vrx-profile"};
  const fs::path& dir_ = folder_.path();
  std::optional<std::string> previous_;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(WxProfile, CreatesMissingFolderSilentlyAndStoresValues) {
  ScratchConfigHome home;
  vrx::test::DialogScript noDialogs;  // any error box would fail the test
  wxConfigBase* config = vrx::ui::InstallProgramConfig("VRXWriter");
  ASSERT_EQ(config, wxConfigBase::Get(false));
  EXPECT_TRUE(fs::is_directory(home.dir() / "Zentrolith"));

  vrx::ui::WxConfigProfile profile(*config);
  EXPECT_EQ(profile.ReadString("Option", "COM", "COM1"), "COM1");
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), 4);
  EXPECT_TRUE(profile.WriteString("Option", "COM", "COM3"));
  EXPECT_TRUE(profile.WriteInt("Option", "BAUD", 2));
  vrx::test::PumpPending();

  const std::string stored = ReadFile(home.dir() / "Zentrolith" / "VRXWriter.conf");
  EXPECT_NE(stored.find("[Option]"), std::string::npos) << stored;
  EXPECT_NE(stored.find("COM=COM3"), std::string::npos) << stored;
  EXPECT_NE(stored.find("BAUD=2"), std::string::npos) << stored;
}

TEST(WxProfile, EachProgramHasItsOwnFile) {
  ScratchConfigHome home;
  vrx::ui::WxConfigProfile(*vrx::ui::InstallProgramConfig("VRXEditor"))
      .WriteString("Option", "COM", "COM7");
  vrx::ui::WxConfigProfile writer(*vrx::ui::InstallProgramConfig("VRXWriter"));
  EXPECT_EQ(writer.ReadString("Option", "COM", "COM1"), "COM1");
  EXPECT_TRUE(fs::exists(home.dir() / "Zentrolith" / "VRXEditor.conf"));
}

TEST(WxProfile, ReadsHandWrittenValues) {
  ScratchConfigHome home;
  fs::create_directories(home.dir() / "Zentrolith");
  std::ofstream(home.dir() / "Zentrolith" / "VRXWriter.conf")
      << "[Option]\nCOM=com3\nBAUD=99999999999\nOTHER=x\n";
  vrx::ui::WxConfigProfile profile(*vrx::ui::InstallProgramConfig("VRXWriter"));
  EXPECT_EQ(profile.ReadString("Option", "COM", "COM1"), "com3");
  // Too large for an int: stays out of the list's range instead of wrapping.
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), INT_MAX);
  EXPECT_EQ(profile.ReadInt("Option", "OTHER", 4), 4);
}

TEST(WxProfile, UnwritableFolderReportsFailureWithoutErrorBox) {
  ScratchConfigHome home;
  // A plain file where the folder should be: nothing can be stored.
  std::ofstream(home.dir() / "Zentrolith") << "not a folder";
  vrx::test::DialogScript noDialogs;
  vrx::ui::WxConfigProfile profile(*vrx::ui::InstallProgramConfig("VRXWriter"));
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), 4);
  EXPECT_FALSE(profile.WriteString("Option", "COM", "COM2"));
  vrx::test::PumpPending();
}

}  // namespace
