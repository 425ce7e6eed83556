// The GUIs keep the same profile through wxFileConfig; both sides must read
// what the other wrote.
#include <wx/fileconf.h>
#include <wx/init.h>

#include <gtest/gtest.h>

#include "platform/profile_ini.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

namespace fs = std::filesystem;

class WxInteropTest : public ::testing::Test {
 protected:
  std::unique_ptr<wxFileConfig> OpenWx() {
    return std::make_unique<wxFileConfig>("VRXWriter", "Zentrolith", wxString(file_.string()),
                                          wxString(), wxCONFIG_USE_LOCAL_FILE);
  }
  wxInitializer init_;
  const test::ScratchFolder folder_{"wx-interop"};
  fs::path dir_ = folder_.path();
  fs::path file_ = dir_ / "VRXWriter.conf";
};

TEST_F(WxInteropTest, WxReadsWhatIniProfileWrote) {
  IniProfile profile(file_);
  ASSERT_TRUE(profile.WriteString("Option", "COM", " /dev/odd path\\x "));
  ASSERT_TRUE(profile.WriteInt("Option", "BAUD", 3));
  auto wx = OpenWx();
  EXPECT_EQ(wx->Read("/Option/COM", "none").utf8_string(), " /dev/odd path\\x ");
  EXPECT_EQ(wx->ReadLong("/Option/BAUD", -9), 3);
}

TEST_F(WxInteropTest, IniProfileReadsAndKeepsWhatWxWrote) {
  {
    auto wx = OpenWx();
    wx->Write("/Option/COM", wxString(" COM3\t"));
    wx->Write("/Option/BAUD", 5L);
    wx->Write("/Window/Left", 120L);
    wx->Flush();
  }
  IniProfile profile(file_);
  EXPECT_EQ(profile.ReadString("Option", "COM", "COM1"), " COM3\t");
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), 5);
  ASSERT_TRUE(profile.WriteInt("Option", "BAUD", 0));
  auto wx = OpenWx();
  EXPECT_EQ(wx->ReadLong("/Option/BAUD", -9), 0);
  EXPECT_EQ(wx->ReadLong("/Window/Left", -9), 120);
  EXPECT_EQ(wx->Read("/Option/COM", "none").utf8_string(), " COM3\t");
}

}  // namespace
}  // namespace vrx
