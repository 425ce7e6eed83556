// One whole Write, as the writer's button and vrxtool run it: firmware from
// the container, configuration from the data file, the module programmed,
// and the profile updated after a success only.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/e2e_support.h"
#include "tests/support/expected_conversation.h"
#include "tests/support/memory_profile.h"
#include "writer/write_progress.h"
#include "writer/write_sequence.h"

namespace vrx::test {
namespace {

class NoBoxes : public MessageBoxSink {
 public:
  void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

class RunWriteEndToEnd : public ::testing::Test {
 protected:
  WriteJob Job(const std::string& port) {
    WriteJob job;
    job.filePath = files_.dataFile.string();
    job.portName = port;
    job.speedIndex = 4;
    job.containerPath = files_.container;
    job.serial = FastOptions(nullptr);
    return job;
  }

  WriteFiles files_;
};

TEST_F(RunWriteEndToEnd, ProgramsFirmwareAndConfigurationAndThenRemembersPortAndSpeed) {
  auto simulator = StartSimulator({});
  FlashImage image;
  RecordingLog log;
  NoBoxes boxes;
  MemoryProfile profile;
  const WriteJob job = Job(simulator->DevicePath());

  EXPECT_TRUE(RunWrite(job, image, log, boxes, profile));

  EXPECT_EQ(log.Text(),
            "\r\nkeys.vrx ファイルを正常にロードしました。\r\n" + ExpectedSuccessLog(true));
  EXPECT_TRUE(boxes.shown.empty());
  // A device path is no COM name: only the speed is remembered.
  EXPECT_EQ(profile.writes, std::vector<std::string>{"Option/BAUD=4"});
  const sim::FlashBytes flash = simulator->Flash();
  // The firmware outside 0x0400..0x0FFF, which is never written.
  EXPECT_TRUE(std::equal(files_.firmware.begin(), files_.firmware.begin() + 0x400, flash.begin()));
  EXPECT_TRUE(
      std::equal(files_.firmware.begin() + 0x1000, files_.firmware.end(), flash.begin() + 0x1000));
  EXPECT_TRUE(std::equal(image.begin() + 0x1000, image.end(), flash.begin() + 0x1000));
  EXPECT_NE(flash[0x5000], 0xFF) << "the configuration block reached the module";
  const auto touched = std::find_if(flash.begin() + 0x400, flash.begin() + 0x1000,
                                    [](uint8_t value) { return value != 0xFF; });
  EXPECT_EQ(touched - flash.begin(), 0x1000) << "0x0400..0x0FFF stays as it was";
}

TEST_F(RunWriteEndToEnd, ASilentModuleLeavesTheProfileAlone) {
  auto simulator = StartSimulator(WithFaults({"connect=silent"}));
  FlashImage image;
  RecordingLog log;
  NoBoxes boxes;
  MemoryProfile profile;

  EXPECT_FALSE(RunWrite(Job(simulator->DevicePath()), image, log, boxes, profile));

  EXPECT_EQ(log.Text(), "\r\nkeys.vrx ファイルを正常にロードしました。\r\n" +
                            FailureTail("デバイスと通信ができません。", kPowerCycleCause));
  EXPECT_TRUE(profile.writes.empty());
}

TEST_F(RunWriteEndToEnd, AMissingDataFileNeverReachesTheModule) {
  auto simulator = StartSimulator({});
  FlashImage image;
  RecordingLog log;
  NoBoxes boxes;
  MemoryProfile profile;
  WriteJob job = Job(simulator->DevicePath());
  job.filePath = (files_.dir / "missing.vrx").string();

  EXPECT_FALSE(RunWrite(job, image, log, boxes, profile));

  EXPECT_EQ(log.Text(), "\r\nファイルが開けません。\r\n処理を中止しました。");
  EXPECT_TRUE(simulator->CurrentTranscript().empty());
  EXPECT_TRUE(profile.writes.empty());
}

// The writer's one bar over a whole Write, fed by the real steps: whether
// block 0 is rewritten or not and whether the flash is verified, it only
// moves forward and ends exactly full, with no time left.
TEST_F(RunWriteEndToEnd, OneProgressBarCoversEachKindOfWrite) {
  auto simulator = StartSimulator({});
  struct Kind {
    const char* what;
    bool verify;
  };
  for (const Kind kind :
       {Kind{"block 0 rewritten", false}, Kind{"block 0 kept", false}, Kind{"verified", true}}) {
    SCOPED_TRACE(kind.what);
    // A clock that moves on with every reading: a steady pace.
    WriteProgress::Clock::time_point clock{};
    std::vector<double> fractions;
    WriteProgress* observed = nullptr;
    WriteProgress progress(
        kind.verify, [&] { fractions.push_back(observed->Fraction()); },
        [&] { return clock += std::chrono::milliseconds(100); });
    observed = &progress;
    WriteJob job = Job(simulator->DevicePath());
    job.verify = kind.verify;
    job.progress = &progress;
    FlashImage image;
    RecordingLog log;
    NoBoxes boxes;
    MemoryProfile profile;

    ASSERT_TRUE(RunWrite(job, image, log, boxes, profile)) << log.Text();

    ASSERT_FALSE(fractions.empty());
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_EQ(fractions.front(), 0.0);
    EXPECT_EQ(fractions.back(), 1.0);
    EXPECT_EQ(progress.Left(), std::chrono::seconds(0));
  }
}

}  // namespace
}  // namespace vrx::test
