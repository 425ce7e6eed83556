// ProgramDevice against the simulated module over a pty: the whole
// conversation byte for byte and rate for rate, the log, and what ends up
// in the module's flash; then every fault the module can answer with.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/e2e_support.h"
#include "tests/support/expected_conversation.h"
#include "writer/flash_update_log.h"

namespace vrx::test {
namespace {

using namespace std::chrono_literals;

const std::string kNoAnswer = "デバイスと通信ができません。";
const std::string kModeChange = "モード変更に失敗しました。";
const std::string kErase = "フラッシュの消去でエラーが発生しました。";
const std::string kWrite = "フラッシュの書込みでエラーが発生しました。";
const std::string kPortOpen = "通信ポートのオープンに失敗しました。";

constexpr int kSpeed9600 = 1;
constexpr int kSpeed19200 = 3;
constexpr int kSpeed38400 = 4;

// The module's flash before the write: the untouched middle region holds a
// marker the image does not, block 4 holds stale bytes.
sim::FlashBytes ModuleFlash(const sim::FlashBytes& image, bool block0Equal) {
  sim::FlashBytes flash;
  flash.fill(0x00);
  std::fill(flash.begin() + 0x400, flash.begin() + 0x1000, uint8_t{0x5A});
  if (block0Equal) std::copy(image.begin(), image.begin() + 0x400, flash.begin());
  return flash;
}

// A module holding ModuleFlash(TestImage(), block0Equal), with faults.
std::unique_ptr<sim::Simulator> StartModule(const std::vector<std::string>& faults,
                                            bool startInLoader, bool block0Equal,
                                            sim::Strictness strictness = sim::Strictness::kStrict) {
  auto options = WithFaults(faults);
  options.initialFlash = ModuleFlash(TestImage(), block0Equal);
  options.startInLoader = startInLoader;
  options.strictness = strictness;
  return StartSimulator(options);
}

FlashImage ToImage(const sim::FlashBytes& bytes) {
  FlashImage image;
  std::copy(bytes.begin(), bytes.end(), image.begin());
  return image;
}

struct Outcome {
  bool programmed;
  std::string log;
  sim::Transcript transcript;
  std::vector<std::chrono::milliseconds> pauses;
};

// With the programs' own time-outs, also where the module stays silent: a
// shorter one would run out while a busy machine delivers the answers
// before the silence.
Outcome Program(sim::Simulator& simulator, int speedIndex, const sim::FlashBytes& image) {
  Outcome outcome;
  RecordingLog log;
  outcome.programmed = ProgramDevice(simulator.DevicePath(), speedIndex, ToImage(image), log,
                                     FastOptions(&outcome.pauses));
  outcome.log = log.Text();
  outcome.transcript = simulator.TakeTranscript();
  return outcome;
}

void ExpectFlashProgrammed(const sim::FlashBytes& flash, const sim::FlashBytes& image) {
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x400, flash.begin())) << "block 0";
  EXPECT_TRUE(std::all_of(flash.begin() + 0x400, flash.begin() + 0x1000, [](uint8_t value) {
    return value == 0x5A;
  })) << "0x0400..0x0FFF must never be touched";
  EXPECT_TRUE(std::equal(image.begin() + 0x1000, image.end(), flash.begin() + 0x1000)) << "block 4";
}

// Programs `scenario.image` into a module that starts as the scenario says
// and checks what every successful update must show: the result, the log,
// the whole conversation and the flash afterwards.  Returns the module for
// the checks of the caller.
std::unique_ptr<sim::Simulator> ExpectSuccessfulWrite(
    const WriteScenario& scenario, int speedIndex,
    const std::vector<std::chrono::milliseconds>& expectedPauses,
    sim::Strictness strictness = sim::Strictness::kStrict,
    const sim::AdapterSettings& adapter = {}) {
  auto options = sim::SimulatorOptions{};
  options.initialFlash = scenario.moduleFlash;
  options.startInLoader = scenario.startInLoader;
  options.strictness = strictness;
  options.adapter = adapter;
  auto simulator = StartSimulator(options);

  const Outcome outcome = Program(*simulator, speedIndex, scenario.image);

  EXPECT_TRUE(outcome.programmed) << outcome.log;
  const bool block0Differs = !std::equal(scenario.image.begin(), scenario.image.begin() + 0x400,
                                         scenario.moduleFlash.begin());
  EXPECT_EQ(outcome.log, ExpectedSuccessLog(block0Differs));
  const auto expected = ExpectedWrite(scenario);
  EXPECT_TRUE(outcome.transcript == expected) << FirstDifference(outcome.transcript, expected);
  EXPECT_EQ(outcome.pauses, expectedPauses);
  ExpectFlashProgrammed(simulator->Flash(), scenario.image);
  return simulator;
}

TEST(ProgramDeviceEndToEnd, FromApplicationAt9600ReopensAt38400ForEverythingAfterTheModeChange) {
  const sim::FlashBytes image = TestImage();
  // The rates in the conversation show the reopen: 9600 up to 0x3C, then
  // 38400 for every byte.
  auto simulator = ExpectSuccessfulWrite({false, 9600, ModuleFlash(image, false), image},
                                         kSpeed9600, {100ms, 1000ms});
  EXPECT_FALSE(simulator->InLoader()) << "back in the application after 0x5D";
}

TEST(ProgramDeviceEndToEnd, LoaderAlreadyActiveKeepsTheChosenRateAndAnEqualBlock0) {
  const sim::FlashBytes image = TestImage();
  // A loader that hears the chosen rate, as the protocol's own case has it;
  // a real one hears 38400 only (the once-more connect is tested with the
  // interrupted sessions).
  ExpectSuccessfulWrite({true, 19200, ModuleFlash(image, true), image}, kSpeed19200, {1000ms},
                        sim::Strictness::kForgiving);
}

TEST(ProgramDeviceEndToEnd, ApplicationAt38400NeedsNoReopenAndOneDifferingByteRewritesBlock0) {
  const sim::FlashBytes image = TestImage();
  sim::FlashBytes before = ModuleFlash(image, true);
  before[0x3FF] = static_cast<uint8_t>(~image[0x3FF]);
  ExpectSuccessfulWrite({false, 38400, before, image}, kSpeed38400, {100ms, 1000ms});
}

// The same Write through the USB serial adapters the simulator models: the
// answers come late and in packets, the conversation stays byte for byte
// the same.  The FTDI chip with the 1 ms latency Linux's low-latency mode
// sets (at its default 16 ms a Write takes minutes); the CH34x for the
// frame models (cp210x and cdc deliver on the same 1 ms frames, in larger
// packets).  Each takes half a minute or more: a Write is 30,000 round
// trips of at least 1 ms.
class ProgramThroughAdapter : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramThroughAdapter, WritesTheSameConversationAndFlash) {
  const auto adapter = sim::ParseAdapter(GetParam());
  ASSERT_TRUE(adapter.has_value());
  const sim::FlashBytes image = TestImage();
  sim::FlashBytes before = ModuleFlash(image, true);
  before[0x3FF] = static_cast<uint8_t>(~image[0x3FF]);
  ExpectSuccessfulWrite({false, 38400, before, image}, kSpeed38400, {100ms, 1000ms},
                        sim::Strictness::kStrict, *adapter);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ProgramThroughAdapter, ::testing::Values("ftdi:1", "ch34x"),
                         [](const auto& param) {
                           std::string name = param.param;
                           return name == "ftdi:1" ? std::string("ftdi1") : name;
                         });

TEST(ProgramDeviceEndToEnd, ARecordRefusedFourTimesIsSentFiveTimesAndWritten) {
  const sim::FlashBytes image = TestImage();
  auto simulator = StartModule({"record=0x06x4"}, true, true);

  const Outcome outcome = Program(*simulator, kSpeed38400, image);

  EXPECT_TRUE(outcome.programmed) << outcome.log;
  EXPECT_EQ(outcome.log, ExpectedSuccessLog(false));
  // The first record of block 4 goes out five times, then all goes on.
  ConversationBuilder conversation(38400);
  conversation.Exchange(0xC4, 0xC4);
  for (uint16_t address = 0; address < 0x400; address += 128) {
    conversation.ReadRecord(address, ModuleFlash(image, true));
  }
  conversation.Erase(0x10).Exchange(0x5A, 0x5A);
  for (int refused = 0; refused < 4; ++refused) {
    conversation.RecordAttempt(0x1000, image.data() + 0x1000, 0x06);
  }
  const sim::Transcript& start = conversation.Get();
  ASSERT_GE(outcome.transcript.size(), start.size());
  const sim::Transcript head(outcome.transcript.begin(),
                             outcome.transcript.begin() + static_cast<long>(start.size()));
  EXPECT_TRUE(head == start) << FirstDifference(head, start);
  EXPECT_EQ(sim::HostBytes(outcome.transcript).size(),
            sim::HostBytes(ExpectedWrite({true, 38400, ModuleFlash(image, true), image})).size() +
                4 * 133);
  ExpectFlashProgrammed(simulator->Flash(), image);
}

// One fault, and what the host must make of it.
struct FaultCase {
  std::string name;
  std::vector<std::string> faults;
  bool startInLoader;
  bool block0Equal;
  std::string expectedLog;
  std::vector<uint8_t> lastHostBytes;  // how the conversation must end
};

// Shown in test listings instead of a byte dump of the case.
void PrintTo(const FaultCase& fault, std::ostream* out) { *out << fault.name; }

const std::string kConnected = "\r\n接続完了\r\n";
const std::string kBlock0Erasing = "\r\nブロック0を消去中．．．";
const std::string kBlock4Erasing = "\r\nブロック4を消去中．．．";
const std::string kBlock4Writing = "\r\nブロック4を消去中．．．完了\r\n\r\nブロック4に書き込み中";

std::string AllChunksWritten() {
  std::string log = kConnected + kBlock4Writing;
  for (int chunk = 0; chunk < 14; ++chunk) log += "．";
  return log + "完了\r\n";
}

uint16_t FirstBlock4Checksum() {
  const sim::FlashBytes image = TestImage();
  unsigned sum = 0;
  for (int i = 0; i < 128; ++i) sum += image[0x1000 + i];
  return static_cast<uint16_t>(sum);
}

std::vector<FaultCase> FaultCases() {
  const uint16_t checksum = FirstBlock4Checksum();
  const auto low = static_cast<uint8_t>(checksum), high = static_cast<uint8_t>(checksum >> 8);
  return {
      {"SilentModule",
       {"connect=silent"},
       false,
       true,
       FailureTail(kNoAnswer, kPowerCycleCause),
       {0xC4}},
      {"ConnectAnsweredWrongly",
       {"connect=0x55"},
       false,
       true,
       FailureTail(kNoAnswer, kPowerCycleCause),
       {0xC4}},
      {"ModeChangeFirstByteWrong",
       {"enter=0x00"},
       false,
       true,
       FailureTail(kModeChange),
       {0xC4, 0xC3}},
      {"ModeChangeSecondByteSilent",
       {"enter=silent@1"},
       false,
       true,
       FailureTail(kModeChange),
       {0xC3, 0x3C}},
      {"ReadEchoWrong", {"echo=0x00"}, true, true, kConnected + FailureTail(kWrite), {0xC4, 0x11}},
      {"ReadAddressAnswerWrong",
       {"zero=0x01"},
       true,
       true,
       kConnected + FailureTail(kWrite),
       {0x11, 0x00}},
      // Zero answers so far: 8 reads x 2 address bytes, the erase mask,
      // the record's two address bytes; then data byte 0 and 1.
      {"RecordDataAnswerWrong",
       {"zero=0x01@20"},
       true,
       true,
       kConnected + kBlock4Writing + FailureTail(kWrite),
       {TestImage()[0x1000], TestImage()[0x1001]}},
      {"ReadBackShortByOneByte",
       {"read=short@7"},
       true,
       true,
       kConnected + FailureTail(kWrite),
       {0x11, 0x80, 0x03}},
      {"ReadBackSilent",
       {"read=silent"},
       true,
       true,
       kConnected + FailureTail(kWrite),
       {0x11, 0x00, 0x00}},
      {"Block0EraseFails",
       {"erase=0x03"},
       true,
       false,
       kConnected + kBlock0Erasing + FailureTail(kErase),
       {0xA5, 0x01}},
      {"Block4EraseFails",
       {"erase=0x03"},
       true,
       true,
       kConnected + kBlock4Erasing + FailureTail(kErase),
       {0xA5, 0x10}},
      {"EraseStatusSilent",
       {"erase=silent"},
       true,
       true,
       kConnected + kBlock4Erasing + FailureTail(kErase),
       {0xA5, 0x10}},
      {"EraseStatusUnexpected",
       {"erase=0x0A"},
       true,
       true,
       kConnected + kBlock4Erasing + FailureTail(kErase),
       {0xA5, 0x10}},
      // 0x04 ends the write at once: no closing 0x5C.
      {"RecordWriteFails",
       {"record=0x04"},
       true,
       true,
       kConnected + kBlock4Writing + FailureTail(kWrite),
       {low, high}},
      // Five refusals: the frame is closed with 0x5C before giving up, also
      // when that 0x5C goes unanswered (echoes: 8 reads, erase, 0x5A, five
      // 0x5B, then this one).
      {"RecordRefusedFiveTimes",
       {"record=0x06x5"},
       true,
       true,
       kConnected + kBlock4Writing + FailureTail(kWrite),
       {low, high, 0x5C}},
      {"RecordRefusedFiveTimesCloseUnanswered",
       {"record=0x06x5", "echo=silent@15"},
       true,
       true,
       kConnected + kBlock4Writing + FailureTail(kWrite),
       {low, high, 0x5C}},
      {"ChecksumPromptMissing",
       {"prompt=silent"},
       true,
       true,
       kConnected + kBlock4Writing + FailureTail(kWrite),
       {TestImage()[0x107F]}},
      {"RecordStatusUnexpected",
       {"record=0x09"},
       true,
       true,
       kConnected + kBlock4Writing + FailureTail(kWrite),
       {low, high}},
      {"ExitEchoWrong",
       {"exit=0x00"},
       true,
       true,
       AllChunksWritten() + FailureTail(kModeChange),
       {0x5C, 0x5D}},
      {"ExitSilent",
       {"exit=silent"},
       true,
       true,
       AllChunksWritten() + FailureTail(kModeChange),
       {0x5C, 0x5D}},
  };
}

class ProgramDeviceFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ProgramDeviceFaults, EndsWithTheRightMessageAndNothingMoreSent) {
  const FaultCase& fault = GetParam();
  const sim::FlashBytes image = TestImage();
  auto simulator = StartModule(fault.faults, fault.startInLoader, fault.block0Equal);

  const Outcome outcome = Program(*simulator, kSpeed38400, image);

  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(outcome.log, fault.expectedLog);
  const std::vector<uint8_t> hostBytes = sim::HostBytes(outcome.transcript);
  ASSERT_GE(hostBytes.size(), fault.lastHostBytes.size());
  EXPECT_EQ(std::vector<uint8_t>(hostBytes.end() - static_cast<long>(fault.lastHostBytes.size()),
                                 hostBytes.end()),
            fault.lastHostBytes);
}

INSTANTIATE_TEST_SUITE_P(EveryAnswer, ProgramDeviceFaults, ::testing::ValuesIn(FaultCases()),
                         [](const auto& testInfo) { return testInfo.param.name; });

TEST(ProgramDeviceEndToEnd, FailureInBlock4LeavesItPartlyWrittenAndTheNextRunRepairsIt) {
  const sim::FlashBytes image = TestImage();
  // After 0x04 the host sends nothing more, so a strict module is left
  // inside its write frame; this is the lenient module's repair.
  auto simulator = StartModule({"record=0x04@40"}, true, true, sim::Strictness::kForgiving);

  Outcome outcome = Program(*simulator, kSpeed38400, image);
  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(outcome.log, kConnected + kBlock4Writing + "．．" + FailureTail(kWrite));
  EXPECT_EQ(simulator->Flash()[0x1000 + 39 * 128], image[0x1000 + 39 * 128]);
  EXPECT_EQ(simulator->Flash()[0x1000 + 40 * 128], 0xFF);

  // The module drops the half-finished command when it sees the port
  // closed; a reopen faster than that would find it mid-command.
  ASSERT_TRUE(EventuallyTrue([&] { return simulator->HostCloses() == 1; }));
  outcome = Program(*simulator, kSpeed38400, image);
  EXPECT_TRUE(outcome.programmed) << outcome.log;
  ExpectFlashProgrammed(simulator->Flash(), image);
}

TEST(ProgramDeviceEndToEnd, AModuleThatVanishesMidWriteEndsTheWriteWithoutWaiting) {
  const sim::FlashBytes image = TestImage();
  auto simulator = StartModule({"host=vanish@5000"}, true, true);

  // A hang-up must be seen as a failure at once, not waited out.
  const auto start = std::chrono::steady_clock::now();
  const Outcome outcome = Program(*simulator, kSpeed38400, image);
  const auto elapsed = std::chrono::steady_clock::now() - start;

  EXPECT_FALSE(outcome.programmed);
  EXPECT_TRUE(simulator->Vanished());
  EXPECT_EQ(outcome.log.rfind(kConnected + kBlock4Writing, 0), 0u) << outcome.log;
  EXPECT_TRUE(outcome.log.ends_with("．" + FailureTail(kWrite)) ||
              outcome.log.ends_with("中" + FailureTail(kWrite)))
      << outcome.log;
  EXPECT_LT(elapsed, 60s) << "no hang";
}

TEST(ProgramDeviceEndToEnd, PortThatCannotBeOpenedOrReopenedGivesTheOpenMessage) {
  RecordingLog log;
  EXPECT_FALSE(ProgramDevice("/dev/vrx-no-such-port", kSpeed38400, ToImage(TestImage()), log,
                             FastOptions(nullptr)));
  EXPECT_EQ(log.Text(), FailureTail(kPortOpen + "\r\n/dev/vrx-no-such-port がありません。"
                                                "接続を確認してください。"));

  // The module disappears during the pause after the mode change, so the
  // reopen at 38400 finds no port.
  auto simulator = StartSimulator({});
  const std::string path = simulator->DevicePath();
  RecordingLog reopenLog;
  SerialOptions options = FastOptions(nullptr);
  options.pause = [&simulator](std::chrono::milliseconds) { simulator.reset(); };
  EXPECT_FALSE(ProgramDevice(path, kSpeed9600, ToImage(TestImage()), reopenLog, options));
  EXPECT_EQ(reopenLog.Text(),
            FailureTail(kPortOpen + "\r\n" + path + " がありません。接続を確認してください。"));
}

}  // namespace
}  // namespace vrx::test
