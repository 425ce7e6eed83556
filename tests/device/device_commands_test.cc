#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/device_commands.h"
#include "device/lcd_test.h"
#include "tests/device/fake_device.h"

namespace vrx {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using test::FakeDevice;

struct Bench {
  std::shared_ptr<FakeDevice> device = std::make_shared<FakeDevice>();
  SerialLink Link(int bitRate = 38400) {
    auto link = SerialLink::Open("COM1", bitRate, device->Options()).link;
    EXPECT_TRUE(link.has_value());
    return std::move(*link);
  }
};

TEST(SendCommandByteTest, ResendRule) {
  {
    Bench b;  // acknowledged at once
    b.device->On(0x42, {0xFA});
    auto link = b.Link();
    EXPECT_EQ(SendCommandByte(link, 0x42), LinkResult::kOk);
    EXPECT_THAT(b.device->SentBytes(), ElementsAre(0x42));
  }
  {
    Bench b;  // 0xFE then 0xFA: the byte goes out twice
    b.device->On(0x42, {0xFE}).On(0x42, {0xFA});
    auto link = b.Link();
    EXPECT_EQ(SendCommandByte(link, 0x42), LinkResult::kOk);
    EXPECT_THAT(b.device->SentBytes(), ElementsAre(0x42, 0x42));
  }
  {
    Bench b;  // 0xFE twice: -2 after two writes, never a third
    b.device->On(0x42, {0xFE}).On(0x42, {0xFE}).On(0x42, {0xFA});
    auto link = b.Link();
    EXPECT_EQ(SendCommandByte(link, 0x42), LinkResult::kNoAnswer);
    EXPECT_THAT(b.device->SentBytes(), ElementsAre(0x42, 0x42));
  }
}

TEST(SendCommandByteTest, AnswersOtherThanAcknowledge) {
  struct Case {
    std::vector<std::vector<uint8_t>> answers;  // per send of the byte
    LinkResult result;
    std::size_t writes;
  } cases[] = {
      {{{0xF1}}, LinkResult::kRefused, 1},         {{{}}, LinkResult::kNoAnswer, 1},
      {{{0x00}}, LinkResult::kNoAnswer, 1},        {{{0xFB}}, LinkResult::kNoAnswer, 1},
      {{{0xFE}, {0xF1}}, LinkResult::kRefused, 2}, {{{0xFE}, {}}, LinkResult::kNoAnswer, 2}};
  for (const auto& c : cases) {
    Bench b;
    for (const auto& answer : c.answers) b.device->On(0x42, answer);
    auto link = b.Link();
    EXPECT_EQ(SendCommandByte(link, 0x42), c.result) << "case " << (&c - cases);
    EXPECT_EQ(b.device->sent.size(), c.writes) << "case " << (&c - cases);
  }
}

TEST(SendCommandByteTest, PlatformFailuresGiveMinusOne) {
  Bench writeFails;
  writeFails.device->failWriteNumber = 1;
  auto link = writeFails.Link();
  EXPECT_EQ(SendCommandByte(link, 0x42), LinkResult::kPortFailed);

  Bench readFails;
  readFails.device->failReadsFrom = 1;
  auto link2 = readFails.Link();
  EXPECT_EQ(SendCommandByte(link2, 0x42), LinkResult::kPortFailed);
}

TEST(SendCommandPairTest, SecondByteOnlyAfterFirstAcknowledged) {
  Bench refused;
  refused.device->On(0xD7, {0xF1}).On(0x40, {0xFA});
  auto link = refused.Link();
  EXPECT_EQ(LcdCommand(link, 0x40), LinkResult::kRefused);
  EXPECT_THAT(refused.device->SentBytes(), ElementsAre(0xD7));

  Bench resent;  // the argument is resent on 0xFE just like the command
  resent.device->On(0xD9, {0xFA}).On(0x1F, {0xFE}).On(0x1F, {0xFA});
  auto link2 = resent.Link();
  EXPECT_EQ(LcdData(link2, 0x1F), LinkResult::kOk);
  EXPECT_THAT(resent.device->SentBytes(), ElementsAre(0xD9, 0x1F, 0x1F));
}

TEST(LcdTestTest, SendsCharactersThenShowsThem) {
  std::array<uint8_t, 64> cgram{};
  for (std::size_t i = 0; i < cgram.size(); ++i) cgram[i] = static_cast<uint8_t>(i * 3 % 32);
  auto device = std::make_shared<FakeDevice>();
  std::vector<uint8_t> expected{0xD5, 0xD7, 0x40};
  device->On(0xD5, {0xFA}).On(0xD7, {0xFA}).On(0x40, {0xFA});
  for (uint8_t row : cgram) {
    device->On(0xD9, {0xFA}).On(row, {0xFA});
    expected.insert(expected.end(), {0xD9, row});
  }
  device->On(0xD7, {0xFA}).On(0x80, {0xFA}).On(0xD7, {0xFA}).On(0x0E, {0xFA});
  expected.insert(expected.end(), {0xD7, 0x80, 0xD7, 0x0E});
  for (uint8_t code = 0; code < 8; ++code) {
    device->On(0xD9, {0xFA}).On(code, {0xFA});
    expected.insert(expected.end(), {0xD9, code});
  }
  EXPECT_EQ(RunLcdTest("COM3", 1, cgram, device->Options()), LcdTestResult::kOk);
  EXPECT_THAT(device->SentBytes(), ElementsAreArray(expected));
  EXPECT_THAT(device->events, ElementsAre("open COM3 9600", "close"));
}

TEST(LcdTestTest, FailuresGiveTheEditorMessages) {
  const std::array<uint8_t, 64> cgram{};
  auto silent = std::make_shared<FakeDevice>();
  EXPECT_EQ(RunLcdTest("COM1", 4, cgram, silent->Options()), LcdTestResult::kDeviceError);
  EXPECT_THAT(silent->SentBytes(), ElementsAre(0xD5));  // nothing after the first silence
  EXPECT_THAT(silent->events, ElementsAre("open COM1 38400", "close"));

  auto midway = std::make_shared<FakeDevice>();  // fails at the CGRAM address
  midway->On(0xD5, {0xFA}).On(0xD7, {0xFA}).On(0x40, {0xF1});
  EXPECT_EQ(RunLcdTest("COM1", 4, cgram, midway->Options()), LcdTestResult::kDeviceError);
  EXPECT_THAT(midway->events, ElementsAre("open COM1 38400", "close"));

  auto unused = std::make_shared<FakeDevice>();
  EXPECT_EQ(RunLcdTest("", 4, cgram, unused->Options()), LcdTestResult::kNoPortSelected);
  EXPECT_EQ(RunLcdTest("COM1", -1, cgram, unused->Options()),
            LcdTestResult::kPortOpenFailed);  // rate 0 refused
  EXPECT_THAT(unused->events, ElementsAre("refused COM1 0"));
}

}  // namespace
}  // namespace vrx
