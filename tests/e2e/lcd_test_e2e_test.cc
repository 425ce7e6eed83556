// The editor's LCD test against the simulated module: the exact bytes, the
// characters arriving in the LCD's CGRAM, and the resend rule with every
// answer the module may give.
#include <gtest/gtest.h>

#include "device/lcd_test.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/expected_conversation.h"

namespace vrx::test {
namespace {

using namespace std::chrono_literals;

constexpr int kSpeed38400 = 4;

std::array<uint8_t, 64> Characters() {
  std::array<uint8_t, 64> cgram{};
  for (std::size_t i = 0; i < cgram.size(); ++i)
    cgram[i] = static_cast<uint8_t>((i * 5 + 3) & 0x1F);
  return cgram;
}

// The whole test sequence, every byte acknowledged.
sim::Transcript ExpectedLcdTest(const std::array<uint8_t, 64>& cgram, int bitRate) {
  ConversationBuilder conversation(bitRate);
  conversation.Exchange(0xD5, 0xFA).Exchange(0xD7, 0xFA).Exchange(0x40, 0xFA);
  for (uint8_t row : cgram) conversation.Exchange(0xD9, 0xFA).Exchange(row, 0xFA);
  conversation.Exchange(0xD7, 0xFA).Exchange(0x80, 0xFA);
  conversation.Exchange(0xD7, 0xFA).Exchange(0x0E, 0xFA);
  for (uint8_t code = 0; code < 8; ++code) conversation.Exchange(0xD9, 0xFA).Exchange(code, 0xFA);
  return conversation.Get();
}

TEST(LcdTestEndToEnd, SendsTheCharactersAndShowsThemOnTheFirstLine) {
  auto simulator = StartSimulator({});
  const auto cgram = Characters();
  EXPECT_EQ(RunLcdTest(simulator->DevicePath(), 1, cgram, FastOptions(nullptr)),
            LcdTestResult::kOk);
  const auto transcript = simulator->TakeTranscript();
  const auto expected = ExpectedLcdTest(cgram, 9600);
  EXPECT_TRUE(transcript == expected) << FirstDifference(transcript, expected);
  EXPECT_EQ(simulator->Cgram(), cgram);
  const std::string art = simulator->LcdArt();
  EXPECT_NE(art.find("display on, cursor\n"), std::string::npos) << art;
}

// The LCD test through each USB serial adapter the simulator models, the
// FTDI chip at its default latency and without an event character.
class LcdTestThroughAdapter : public ::testing::TestWithParam<const char*> {};

TEST_P(LcdTestThroughAdapter, SendsTheSameBytes) {
  sim::SimulatorOptions options;
  options.adapter = sim::ParseAdapter(GetParam()).value();
  auto simulator = StartSimulator(options);
  const auto cgram = Characters();
  EXPECT_EQ(RunLcdTest(simulator->DevicePath(), kSpeed38400, cgram, FastOptions(nullptr, 2000ms)),
            LcdTestResult::kOk);
  const auto transcript = simulator->TakeTranscript();
  const auto expected = ExpectedLcdTest(cgram, 38400);
  EXPECT_TRUE(transcript == expected) << FirstDifference(transcript, expected);
  EXPECT_EQ(simulator->Cgram(), cgram);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, LcdTestThroughAdapter,
                         ::testing::Values("ftdi", "cp210x", "ch34x", "cdc"),
                         [](const auto& param) { return std::string(param.param); });

TEST(LcdTestEndToEnd, OneResendRequestIsAnsweredBySendingTheByteAgain) {
  // The 0x40 argument (third LCD answer) is asked for again once.
  auto simulator = StartSimulator(WithFaults({"lcd=0xFE@2"}));
  const auto cgram = Characters();
  EXPECT_EQ(RunLcdTest(simulator->DevicePath(), kSpeed38400, cgram, FastOptions(nullptr)),
            LcdTestResult::kOk);
  const auto hostBytes = sim::HostBytes(simulator->TakeTranscript());
  ASSERT_GE(hostBytes.size(), 5u);
  EXPECT_EQ(std::vector<uint8_t>(hostBytes.begin(), hostBytes.begin() + 5),
            (std::vector<uint8_t>{0xD5, 0xD7, 0x40, 0x40, 0xD9}));
  EXPECT_EQ(hostBytes.size(), ExpectedLcdTest(cgram, 38400).size() / 2 + 1);
  EXPECT_EQ(simulator->Cgram(), cgram);
}

// A failing answer and the host bytes the test must have sent by then.
struct LcdFault {
  std::string name;
  std::string fault;
  std::vector<uint8_t> hostBytes;
};

// Shown in test listings instead of a byte dump of the case.
void PrintTo(const LcdFault& fault, std::ostream* out) { *out << fault.name; }

class LcdTestFaults : public ::testing::TestWithParam<LcdFault> {};

TEST_P(LcdTestFaults, GiveTheDeviceErrorAndStopSending) {
  auto simulator = StartSimulator(WithFaults({GetParam().fault}));
  EXPECT_EQ(RunLcdTest(simulator->DevicePath(), kSpeed38400, Characters(), FastOptions(nullptr)),
            LcdTestResult::kDeviceError);
  EXPECT_EQ(sim::HostBytes(simulator->TakeTranscript()), GetParam().hostBytes);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAnswer, LcdTestFaults,
    ::testing::Values(LcdFault{"Silent", "lcd=silentx*", {0xD5}},
                      // Two resend requests for the same byte: two writes, no third.
                      LcdFault{"ResendTwice", "lcd=0xFEx2", {0xD5, 0xD5}},
                      // 0xF1 on a command byte: its argument is never sent.
                      LcdFault{"RefusedCommand", "lcd=0xF1@1", {0xD5, 0xD7}},
                      LcdFault{"Unexpected", "lcd=0x00@2", {0xD5, 0xD7, 0x40}}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(LcdTestEndToEnd, PortProblemsGiveTheirOwnMessages) {
  const auto cgram = Characters();
  EXPECT_EQ(RunLcdTest("", kSpeed38400, cgram, FastOptions(nullptr)),
            LcdTestResult::kNoPortSelected);
  EXPECT_EQ(RunLcdTest("/dev/vrx-no-such-port", kSpeed38400, cgram, FastOptions(nullptr)),
            LcdTestResult::kPortOpenFailed);
  auto simulator = StartSimulator({});
  // No speed selected: bit rate 0 must be refused, not hang up the line.
  EXPECT_EQ(RunLcdTest(simulator->DevicePath(), -1, cgram, FastOptions(nullptr)),
            LcdTestResult::kPortOpenFailed);
  EXPECT_TRUE(simulator->CurrentTranscript().empty());
}

}  // namespace
}  // namespace vrx::test
