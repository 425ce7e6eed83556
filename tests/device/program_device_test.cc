#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/program_device.h"
#include "tests/device/fake_device.h"
#include "tests/device/loader_script.h"
#include "tests/support/recording_log.h"
#include "writer/flash_update_log.h"

namespace vrx {
namespace {

using test::RecordingLog;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using test::FakeDevice;

std::vector<std::string> Block4Lines() {
  std::vector<std::string> lines{"\r\nブロック4を消去中．．．", "完了\r\n",
                                 "\r\nブロック4に書き込み中"};
  lines.insert(lines.end(), 14, "．");
  lines.push_back("完了\r\n");
  return lines;
}

std::vector<std::string> SuccessLog(bool block0Rewritten) {
  std::vector<std::string> lines{"\r\n接続完了\r\n"};
  if (block0Rewritten) {
    lines.insert(lines.end(), {"\r\nブロック0を消去中．．．", "完了\r\n",
                               "\r\nブロック0に書き込み中．．．", "完了\r\n"});
  }
  for (auto& line : Block4Lines()) lines.push_back(line);
  lines.push_back("\r\n書き込みは正常に終了しました。\r\n");
  return lines;
}

// `causeLine` ("\r\n" and the cause) is appended on its own after the message.
std::vector<std::string> FailureLog(std::vector<std::string> before, const char* message,
                                    const char* causeLine = nullptr) {
  before.insert(before.end(), {"\r\n", message});
  if (causeLine) before.push_back(causeLine);
  before.push_back("\r\n処理を中止します。\r\n");
  return before;
}

class ProgramDeviceTest : public ::testing::Test {
 protected:
  ProgramDeviceTest() {
    for (std::size_t i = 0; i < image.size(); ++i)
      image[i] = static_cast<uint8_t>(i * 31 + i / 256);
    // Bytes the module must never see: whatever is here stays off the wire.
    std::fill(image.begin() + 0x400, image.begin() + 0x1000, 0xA7);
    moduleBlock0.assign(image.begin(), image.begin() + 0x400);
  }

  bool Program(const std::string& port, int speedIndex) {
    return ProgramDevice(port, speedIndex, image, log, device->Options());
  }
  void ExpectScriptFollowed() {
    EXPECT_THAT(device->SentBytes(), ElementsAreArray(device->ExpectedHostBytes()));
    EXPECT_EQ(device->scriptUnused(), 0u);
  }

  FlashImage image{};
  std::vector<uint8_t> moduleBlock0;
  std::shared_ptr<FakeDevice> device = std::make_shared<FakeDevice>();
  RecordingLog log;
};

TEST_F(ProgramDeviceTest, LoaderAlreadyActiveStaysAtChosenRate) {
  test::ScriptProgram(*device, image, moduleBlock0, /*fromApplication=*/false);
  EXPECT_TRUE(Program("COM2", 1));
  ExpectScriptFollowed();
  EXPECT_THAT(device->events, ElementsAre("open COM2 9600", "close"));
  EXPECT_THAT(log.texts, ElementsAreArray(SuccessLog(false)));
  EXPECT_THAT(device->pauses, ElementsAre(1000));  // exit only, no enter
}

TEST_F(ProgramDeviceTest, ApplicationModeAt9600ReopensAt38400) {
  test::ScriptProgram(*device, image, moduleBlock0, /*fromApplication=*/true);
  EXPECT_TRUE(Program("COM2", 1));
  ExpectScriptFollowed();
  EXPECT_THAT(device->events, ElementsAre("open COM2 9600", "close", "open COM2 38400", "close"));
  ASSERT_GT(device->sent.size(), 3u);
  for (std::size_t i = 0; i < device->sent.size(); ++i)  // C4 C3 3C at 9600, the rest at 38400
    ASSERT_EQ(device->sent[i].bitRate, i < 3 ? 9600 : 38400) << "byte " << i;
  EXPECT_THAT(device->pauses, ElementsAre(100, 1000));
  EXPECT_THAT(log.texts, ElementsAreArray(SuccessLog(false)));
}

TEST_F(ProgramDeviceTest, ApplicationModeAt38400KeepsTheLink) {
  test::ScriptProgram(*device, image, moduleBlock0, /*fromApplication=*/true);
  EXPECT_TRUE(Program("COM1", 4));
  ExpectScriptFollowed();
  EXPECT_THAT(device->events, ElementsAre("open COM1 38400", "close"));
}

TEST_F(ProgramDeviceTest, Block0DifferingInItsLastByteIsRewrittenWhole) {
  moduleBlock0.back() ^= 0x01;
  test::ScriptProgram(*device, image, moduleBlock0, /*fromApplication=*/false);
  EXPECT_TRUE(Program("COM1", 4));
  ExpectScriptFollowed();
  EXPECT_THAT(log.texts, ElementsAreArray(SuccessLog(true)));
}

TEST_F(ProgramDeviceTest, PortFailures) {
  device->refuseOpenNumber = 1;
  EXPECT_FALSE(Program("COM5", 4));
  EXPECT_THAT(log.texts, ElementsAreArray(FailureLog({}, "通信ポートのオープンに失敗しました。")));
  EXPECT_THAT(device->events, ElementsAre("refused COM5 38400"));  // nothing to close

  auto reopen = std::make_shared<FakeDevice>();
  test::ScriptConnect(*reopen, 0xFA);
  test::ScriptEnter(*reopen);
  reopen->refuseOpenNumber = 2;
  RecordingLog reopenLog;
  EXPECT_FALSE(ProgramDevice("COM5", 0, image, reopenLog, reopen->Options()));
  EXPECT_THAT(reopen->events, ElementsAre("open COM5 4800", "close", "refused COM5 38400"));
  EXPECT_THAT(reopenLog.texts,
              ElementsAreArray(FailureLog({}, "通信ポートのオープンに失敗しました。")));

  auto noSpeed = std::make_shared<FakeDevice>();  // index -1: rate 0 is refused
  RecordingLog noSpeedLog;
  EXPECT_FALSE(ProgramDevice("COM5", -1, image, noSpeedLog, noSpeed->Options()));
  EXPECT_THAT(noSpeed->events, ElementsAre("refused COM5 0"));
  EXPECT_THAT(noSpeedLog.texts,  // the cause follows the message on a line of its own
              ElementsAreArray(FailureLog({}, "通信ポートのオープンに失敗しました。",
                                          "\r\n速度が選択されていません。")));
}

constexpr const char* kPowerCycle =
    "\r\nモジュールの電源を切って入れ直してから、もう一度やり直してください。";

TEST_F(ProgramDeviceTest, SilentDeviceCannotBeReached) {
  EXPECT_FALSE(Program("COM1", 4));
  EXPECT_THAT(log.texts,
              ElementsAreArray(FailureLog({}, "デバイスと通信ができません。", kPowerCycle)));
  EXPECT_THAT(device->events, ElementsAre("open COM1 38400", "close"));
}

// A loader left active by an interrupted session hears 38400 bit/s only.
TEST_F(ProgramDeviceTest, SilenceAtAnotherRateIsTriedOnceMoreAt38400) {
  device->On(0xC4, {});  // lost at 9600
  test::ScriptProgram(*device, image, moduleBlock0, /*fromApplication=*/false);
  EXPECT_TRUE(Program("COM2", 1));
  ExpectScriptFollowed();
  EXPECT_THAT(device->events, ElementsAre("open COM2 9600", "close", "open COM2 38400", "close"));
  EXPECT_EQ(device->sent[0].bitRate, 9600);
  for (std::size_t i = 1; i < device->sent.size(); ++i)
    ASSERT_EQ(device->sent[i].bitRate, 38400) << "byte " << i;
  EXPECT_THAT(log.texts, ElementsAreArray(SuccessLog(false)));

  // Silence there too, or the application answering at 38400 (the chosen
  // rate is the application's): the module cannot be reached.
  for (std::vector<uint8_t> second : {std::vector<uint8_t>{}, std::vector<uint8_t>{0xFA}}) {
    auto silent = std::make_shared<FakeDevice>();
    silent->On(0xC4, {}).On(0xC4, second);
    RecordingLog silentLog;
    EXPECT_FALSE(ProgramDevice("COM2", 1, image, silentLog, silent->Options()));
    EXPECT_THAT(silentLog.texts,
                ElementsAreArray(FailureLog({}, "デバイスと通信ができません。", kPowerCycle)));
    EXPECT_THAT(silent->events,
                ElementsAre("open COM2 9600", "close", "open COM2 38400", "close"));
    EXPECT_EQ(silent->scriptUnused(), 0u);
  }
}

TEST_F(ProgramDeviceTest, CancellationStopsBetweenRecordsAndLeavesTheLoader) {
  test::ScriptProgram(*device, image, moduleBlock0, /*fromApplication=*/false);
  SerialOptions options = device->Options();
  // Stop inside the third record of block 4.
  const std::size_t block4Start = 1 + 8 * 3 + 2;  // connect, block 0 read back, erase
  const std::size_t moment = block4Start + 1 + 2 * 133 + 60;
  options.cancelled = [d = device.get(), moment] { return d->sent.size() >= moment; };
  EXPECT_FALSE(ProgramDevice("COM1", 4, image, log, options));
  const auto sent = device->SentBytes();
  const std::size_t stop = block4Start + 1 + 3 * 133;
  ASSERT_EQ(sent.size(), stop + 1);
  const auto expected = device->ExpectedHostBytes();
  EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + stop, expected.begin()));
  EXPECT_EQ(sent.back(), 0x5C);  // the frame closed; no 0x5D
  EXPECT_THAT(device->events, ElementsAre("open COM1 38400", "close"));
  EXPECT_TRUE(device->pauses.empty());
  EXPECT_THAT(log.texts, ElementsAreArray({"\r\n接続完了\r\n", "\r\nブロック4を消去中．．．",
                                           "完了\r\n", "\r\nブロック4に書き込み中", "\r\n",
                                           "中断しました。", "\r\n処理を中止します。\r\n"}));
}

TEST_F(ProgramDeviceTest, FailedModeChanges) {
  device->On(0xC4, {0xFA}).On(0xC3, {0xFA}).On(0x3C, {});
  EXPECT_FALSE(Program("COM1", 4));
  EXPECT_THAT(log.texts, ElementsAreArray(FailureLog({}, "モード変更に失敗しました。")));
  EXPECT_THAT(device->events, ElementsAre("open COM1 38400", "close"));

  // Exit failing after a complete write: no success line.
  auto exitFails = std::make_shared<FakeDevice>();
  test::ScriptProgram(*exitFails, image, moduleBlock0, false, /*exitEcho=*/0x00);
  RecordingLog exitLog;
  EXPECT_FALSE(ProgramDevice("COM1", 4, image, exitLog, exitFails->Options()));
  auto expected = SuccessLog(false);
  expected.pop_back();
  EXPECT_THAT(exitLog.texts, ElementsAreArray(FailureLog(expected, "モード変更に失敗しました。")));
  EXPECT_THAT(exitFails->events, ElementsAre("open COM1 38400", "close"));
}

TEST_F(ProgramDeviceTest, FlashFailures) {
  const std::vector<std::string> connected{"\r\n接続完了\r\n"};
  auto scriptUpToBlock4 = [&](FakeDevice& d) {
    test::ScriptConnect(d, 0xC4);
    for (uint16_t a = 0; a < 0x400; a += 128)
      test::ScriptReadBlock(d, a, test::Record(moduleBlock0.data() + a, 128));
  };
  {  // the read-back of block 0 fails: reported as a write failure
    auto d = std::make_shared<FakeDevice>();
    test::ScriptConnect(*d, 0xC4);
    d->On(0x11, {0x11}).On(0x00, {0x00}).On(0x00, {0x00});  // then no record
    RecordingLog l;
    EXPECT_FALSE(ProgramDevice("COM1", 4, image, l, d->Options()));
    EXPECT_THAT(l.texts, ElementsAreArray(
                             FailureLog(connected, "フラッシュの書込みでエラーが発生しました。")));
  }
  {  // erasing block 4 fails
    auto d = std::make_shared<FakeDevice>();
    scriptUpToBlock4(*d);
    test::ScriptErase(*d, 0x10, 0x03);
    RecordingLog l;
    EXPECT_FALSE(ProgramDevice("COM1", 4, image, l, d->Options()));
    auto before = connected;
    before.push_back("\r\nブロック4を消去中．．．");
    EXPECT_THAT(l.texts,
                ElementsAreArray(FailureLog(before, "フラッシュの消去でエラーが発生しました。")));
    EXPECT_EQ(d->scriptUnused(), 0u);
  }
  {  // the second chunk of block 4 fails: one dot, then the failure
    auto d = std::make_shared<FakeDevice>();
    scriptUpToBlock4(*d);
    test::ScriptErase(*d, 0x10, 0x09);
    test::ScriptWrite(*d, 0x1000, image.data() + 0x1000, 0x800);
    d->On(0x5A, {0x5A});
    test::ScriptRecordAttempt(*d, 0x1800, test::Record(image.data() + 0x1800, 128), 0x04);
    RecordingLog l;
    EXPECT_FALSE(ProgramDevice("COM1", 4, image, l, d->Options()));
    auto before = connected;
    for (auto* t : {"\r\nブロック4を消去中．．．", "完了\r\n", "\r\nブロック4に書き込み中", "．"})
      before.push_back(t);
    EXPECT_THAT(l.texts,
                ElementsAreArray(FailureLog(before, "フラッシュの書込みでエラーが発生しました。")));
    EXPECT_THAT(d->events, ElementsAre("open COM1 38400", "close"));
  }
}

}  // namespace
}  // namespace vrx
