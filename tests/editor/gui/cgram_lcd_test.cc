// テスト end to end: the page drives the simulated module on a
// pseudo-terminal through the port mapping, as a user's click would.
#include <stdlib.h>
#include <wx/choice.h>
#include <wx/utils.h>

#include <atomic>
#include <fstream>

#include "resources/message_table.h"
#include "tests/editor/gui/cgram_test_fixture.h"
#include "tests/support/gui/dialog_script.h"
#include "tools/vrxsim/simulator.h"

namespace vrx::test {
namespace {

class CgramLcdTest : public CgramPageTest {
 protected:
  // Starts the module and maps COM2 to it.
  void StartModule(std::vector<sim::Fault> faults = {}) {
    sim::SimulatorOptions options;
    options.faults = std::move(faults);
    options.onByte = [this](const sim::TranscriptEntry&) {
      if (wxIsBusy()) ++bytesWhileBusy_;
    };
    std::string error;
    module_ = sim::Simulator::Start(std::move(options), error);
    ASSERT_TRUE(module_) << error;
    const auto map = folder_.path() / "ports.conf";
    std::ofstream(map) << "COM2=" << module_->DevicePath() << "\n";
    setenv("VRX_PORT_MAP", map.c_str(), 1);
  }

  void TearDown() override {
    CgramPageTest::TearDown();
    module_.reset();
    unsetenv("VRX_PORT_MAP");
  }

  static std::vector<uint8_t> ExpectedHostBytes(const std::array<uint8_t, 64>& cgram) {
    std::vector<uint8_t> bytes = {0xD5, 0xD7, 0x40};
    for (uint8_t pattern : cgram) bytes.insert(bytes.end(), {0xD9, pattern});
    bytes.insert(bytes.end(), {0xD7, 0x80, 0xD7, 0x0E});
    for (uint8_t code = 0; code < 8; ++code) bytes.insert(bytes.end(), {0xD9, code});
    return bytes;
  }

  std::unique_ptr<sim::Simulator> module_;
  std::atomic<int> bytesWhileBusy_{0};
};

TEST_F(CgramLcdTest, SendsTheCharactersByteForByteAndRemembersPortAndSpeed) {
  StartModule();
  StoreProfile("COM2", 3);  // 19200
  ShowPage();
  // Draw a little: character 0 row 0 all lit, character 7 row 7 one dot.
  for (int column = 0; column < 5; ++column) Press(DotCentre(0, 0, column), true);
  Press(DotCentre(7, 7, 4), true);
  const auto drawn = config_.cgram;

  DialogScript noBoxes;  // success shows nothing
  ClickTest();

  const sim::Transcript transcript = module_->TakeTranscript();
  const std::vector<uint8_t> expected = ExpectedHostBytes(drawn);
  EXPECT_EQ(sim::HostBytes(transcript), expected);
  EXPECT_EQ(sim::ModuleBytes(transcript), std::vector<uint8_t>(expected.size(), 0xFA));
  for (int rate : sim::HostRates(transcript)) EXPECT_EQ(rate, 19200);
  // Every byte went out as its acknowledgement came back, never ahead.
  for (size_t i = 0; i + 1 < transcript.size(); i += 2) {
    EXPECT_EQ(transcript[i].direction, sim::Direction::kHostToModule) << i;
    EXPECT_EQ(transcript[i + 1].direction, sim::Direction::kModuleToHost) << i;
  }
  EXPECT_EQ(module_->Cgram(), drawn);
  EXPECT_EQ(config_.cgram, drawn);  // the test changes no data
  EXPECT_GT(bytesWhileBusy_.load(), 0);
  EXPECT_FALSE(wxIsBusy());
  EXPECT_EQ(StoredPort(), "COM2");
  EXPECT_EQ(StoredSpeed(), 3);
}

TEST_F(CgramLcdTest, ASilentModuleIsReportedAfterTheFirstByteAndThePortIsFreedAgain) {
  // Silent for the first acknowledgement only, so the second test can pass
  // if (and only if) the first one let go of the port.
  sim::Fault silence;
  silence.point = sim::AnswerPoint::kLcd;
  silence.action = sim::FaultAction::kSilent;
  StartModule({silence});
  StoreProfile("COM2", 4);
  ShowPage();
  SpeedList().SetSelection(1);  // 9600: must be remembered although the test fails

  {
    DialogScript boxes;
    boxes.ExpectMessage(std::string(EditorMessage(editor_msg::kDeviceError)));
    ClickTest();
  }
  const sim::Transcript failed = module_->TakeTranscript();
  EXPECT_EQ(sim::HostBytes(failed), std::vector<uint8_t>{0xD5});
  EXPECT_TRUE(sim::ModuleBytes(failed).empty());
  EXPECT_EQ(StoredPort(), "COM2");
  EXPECT_EQ(StoredSpeed(), 1);

  DialogScript noBoxes;
  ClickTest();
  EXPECT_EQ(sim::HostBytes(module_->TakeTranscript()), ExpectedHostBytes(config_.cgram));
}

}  // namespace
}  // namespace vrx::test
