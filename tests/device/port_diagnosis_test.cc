// The cause lines under the port-open message, through the same code as
// the programs: what the user is told for each way an open fails.
#include "platform/port_diagnosis.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "device/serial_link.h"
#include "platform/port_names.h"
#include "resources/port_messages.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

using ::testing::HasSubstr;

class PortDiagnosisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = folder_.path();
    map_ = dir_ / "ports.conf";
    setenv("VRX_PORT_MAP", map_.c_str(), 1);
  }
  void TearDown() override { unsetenv("VRX_PORT_MAP"); }

  // What the programs say after a real open of `port` failed.
  std::string CauseOfOpening(const std::string& port, int bitRate) {
    const auto [link, error] = SerialLink::Open(port, bitRate);
    EXPECT_FALSE(link);
    return port_msg::CauseText(DiagnoseOpenFailure(port, bitRate, error, {}));
  }

  test::ScratchFolder folder_{"port-diagnosis"};
  std::filesystem::path dir_;
  std::filesystem::path map_;
};

TEST_F(PortDiagnosisTest, EachWayAnOpenFailsHasItsOwnLine) {
  const std::string file = (dir_ / "plain-file").string();
  std::ofstream(file) << "not a terminal";
  std::ofstream(map_) << "COM5=" << (dir_ / "unplugged").string() << "\nCOM6=" << file << "\n";

  EXPECT_EQ(CauseOfOpening("COM5", 0), "速度が選択されていません。");
  EXPECT_EQ(port_msg::CauseText(DiagnoseOpenFailure("", 38400, ENOENT, {})),
            "ポートが選択されていません。");
  EXPECT_EQ(CauseOfOpening("COM5", 38400),
            (dir_ / "unplugged").string() + " がありません。接続を確認してください。");
  EXPECT_EQ(CauseOfOpening("COM6", 38400), file + " はシリアルポートではありません。");
  EXPECT_EQ(CauseOfOpening("COM42", 38400),
            "COM42 はどのデバイスにも割り当てられていません (" + map_.string() + " を参照)。");
  const std::string denied = port_msg::CauseText(DiagnosePortOpenFailure(file, 38400, EACCES));
  EXPECT_THAT(denied, HasSubstr(file + ": アクセス権がありません。"));
  EXPECT_THAT(denied, HasSubstr("(sudo usermod -aG "));
}

TEST_F(PortDiagnosisTest, ScriptedPortsAreNotLookedUpOnTheMachine) {
  SerialOptions scripted;
  scripted.openPort = [](const std::string&, int, const SerialOptions&) {
    return PortOpening{nullptr, EBUSY};
  };
  EXPECT_EQ(port_msg::CauseText(DiagnoseOpenFailure("COM5", 38400, EBUSY, scripted)), "");
  EXPECT_EQ(port_msg::CauseText(DiagnoseOpenFailure("COM5", 0, EINVAL, scripted)),
            "速度が選択されていません。");
  EXPECT_EQ(port_msg::CauseText(DiagnoseSilentLink("COM5", scripted)), "");
}

TEST_F(PortDiagnosisTest, AMissingDeviceIsDescribedAsMissing) {
  const SerialPortInfo missing = DescribeSerialDevice((dir_ / "gone").string());
  EXPECT_FALSE(missing.exists);
  EXPECT_FALSE(missing.accessible);
}

}  // namespace
}  // namespace vrx
