#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "device/loader.h"
#include "tests/device/fake_device.h"
#include "tests/device/loader_script.h"

namespace vrx {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using test::FakeDevice;

class LoaderTest : public ::testing::Test {
 protected:
  std::shared_ptr<FakeDevice> device = std::make_shared<FakeDevice>();
  std::optional<SerialLink> link;

  SerialLink& Link() {
    if (!link) link = SerialLink::Open("COM1", 38400, device->Options()).link;
    return *link;
  }
  void ExpectScriptFollowed() {
    EXPECT_THAT(device->SentBytes(), ElementsAreArray(device->ExpectedHostBytes()));
    EXPECT_EQ(device->scriptUnused(), 0u);
  }
  static std::array<uint8_t, 128> Pattern(uint8_t seed) {
    std::array<uint8_t, 128> data;
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(seed + i * 7);
    return data;
  }
};

TEST_F(LoaderTest, ConnectTellsLoaderFromApplication) {
  device->On(0xC4, {0xC4}).On(0xC4, {0xFA}).On(0xC4, {0x00}).On(0xC4, {});
  EXPECT_EQ(LoaderConnect(Link()), LoaderResult::kOk);
  EXPECT_EQ(LoaderConnect(Link()), LoaderResult::kApplication);
  EXPECT_EQ(LoaderConnect(Link()), LoaderResult::kNoAnswer);
  EXPECT_EQ(LoaderConnect(Link()), LoaderResult::kNoAnswer);  // silence
  ExpectScriptFollowed();
}

TEST_F(LoaderTest, EnterAndExitPauseAfterwards) {
  test::ScriptEnter(*device);
  test::ScriptExit(*device);
  EXPECT_EQ(LoaderEnter(Link()), LoaderResult::kOk);
  EXPECT_EQ(LoaderExit(Link()), LoaderResult::kOk);
  ExpectScriptFollowed();
  EXPECT_THAT(device->pauses, ElementsAre(100, 1000));
}

TEST_F(LoaderTest, EnterOrExitWithWrongAnswerFailsWithoutPause) {
  device->On(0xC3, {0xFA}).On(0x3C, {0xFE}).On(0x5D, {});
  EXPECT_EQ(LoaderEnter(Link()), LoaderResult::kNoAnswer);
  EXPECT_EQ(LoaderExit(Link()), LoaderResult::kNoAnswer);
  EXPECT_TRUE(device->pauses.empty());
}

TEST_F(LoaderTest, ReadBlockSendsAddressLowByteFirst) {
  const auto data = Pattern(5);
  test::ScriptReadBlock(*device, 0x0380, data);
  std::array<uint8_t, 128> got{};
  EXPECT_EQ(LoaderReadBlock(Link(), 0x0380, got), LoaderResult::kOk);
  EXPECT_THAT(device->SentBytes(), ElementsAre(0x11, 0x80, 0x03));
  EXPECT_EQ(got, data);
}

TEST_F(LoaderTest, ReadBlockNeedsAll128Bytes) {
  const auto data = Pattern(9);
  std::vector<uint8_t> answer{0x00};  // the address ack, then only 127 bytes
  answer.insert(answer.end(), data.begin(), data.end() - 1);
  device->On(0x11, {0x11}).On(0x00, {0x00}).On(0x02, answer);
  std::array<uint8_t, 128> got{};
  EXPECT_EQ(LoaderReadBlock(Link(), 0x0200, got), LoaderResult::kNoAnswer);

  auto failing = std::make_shared<FakeDevice>();
  test::ScriptReadBlock(*failing, 0x0200, data);
  failing->failReadsFrom = 4;  // the record's read itself fails
  auto failingLink = SerialLink::Open("COM1", 38400, failing->Options()).link;
  EXPECT_EQ(LoaderReadBlock(*failingLink, 0x0200, got), LoaderResult::kPortFailed);
}

TEST_F(LoaderTest, EraseStatuses) {
  test::ScriptErase(*device, 0x10, 0x09);
  test::ScriptErase(*device, 0x01, 0x03);
  test::ScriptErase(*device, 0x01, 0x0A);
  device->On(0xA5, {0xA5}).On(0x10, {0x00});  // no status in time
  EXPECT_EQ(LoaderEraseBlocks(Link(), 0x10), LoaderResult::kOk);
  EXPECT_EQ(LoaderEraseBlocks(Link(), 0x01), LoaderResult::kEraseFailed);
  EXPECT_EQ(LoaderEraseBlocks(Link(), 0x01), LoaderResult::kNoAnswer);
  EXPECT_EQ(LoaderEraseBlocks(Link(), 0x10), LoaderResult::kNoAnswer);
  ExpectScriptFollowed();
}

TEST_F(LoaderTest, WriteChecksArgumentsBeforeSendingAnything) {
  const std::vector<uint8_t> data(0x8080, 0x55);
  EXPECT_EQ(LoaderWrite(Link(), 0x1040, data.data(), 128), LoaderResult::kBadAddress);
  EXPECT_EQ(LoaderWrite(Link(), 0x1000, data.data(), 0x8080), LoaderResult::kBadLength);
  EXPECT_EQ(LoaderWrite(Link(), 0x0010, data.data(), 0x8080),
            LoaderResult::kBadLength);  // length first
  EXPECT_EQ(LoaderWrite(Link(), 0x0010, data.data(), 100),
            LoaderResult::kBadAddress);  // then address
  EXPECT_EQ(LoaderWrite(Link(), 0x1000, data.data(), 100), LoaderResult::kBadLength);
  EXPECT_TRUE(device->sent.empty());
}

TEST_F(LoaderTest, WriteFramesAllRecordsOnce) {
  std::vector<uint8_t> data(2048);
  std::iota(data.begin(), data.end(), uint8_t{0});
  test::ScriptWrite(*device, 0x1000, data.data(), data.size());
  EXPECT_EQ(LoaderWrite(Link(), 0x1000, data.data(), data.size()), LoaderResult::kOk);
  ExpectScriptFollowed();
  const auto sent = device->SentBytes();
  // 0x5A, sixteen records of 133 bytes, 0x5C.
  ASSERT_EQ(sent.size(), 1u + 16 * 133 + 1);
  EXPECT_THAT(std::vector(sent.begin() + 1, sent.begin() + 4), ElementsAre(0x5B, 0x00, 0x10));
  EXPECT_THAT(std::vector(sent.begin() + 134, sent.begin() + 137), ElementsAre(0x5B, 0x80, 0x10));
}

TEST_F(LoaderTest, EmptyWriteSendsOneBlankRecord) {
  const std::array<uint8_t, 128> blank = [] {
    std::array<uint8_t, 128> a;
    a.fill(0xFF);
    return a;
  }();
  test::ScriptWrite(*device, 0x0800, blank.data(), 128);
  EXPECT_EQ(LoaderWrite(Link(), 0x0800, nullptr, 0), LoaderResult::kOk);
  ExpectScriptFollowed();
  // The checksum of 128 bytes of 0xFF is 0x7F80, low byte first.
  const auto sent = device->SentBytes();
  EXPECT_THAT(std::vector(sent.end() - 3, sent.end()), ElementsAre(0x80, 0x7F, 0x5C));
  EXPECT_EQ(RecordChecksum(blank), 0x7F80);
}

TEST_F(LoaderTest, RefusedRecordIsRetriedUpToFiveTimes) {
  const auto data = Pattern(1);
  device->On(0x5A, {0x5A});
  for (int i = 0; i < 4; ++i) test::ScriptRecordAttempt(*device, 0x2000, data, 0x06);
  test::ScriptRecordAttempt(*device, 0x2000, data, 0x0A);
  device->On(0x5C, {0x5C});
  EXPECT_EQ(LoaderWrite(Link(), 0x2000, data.data(), 128), LoaderResult::kOk);
  ExpectScriptFollowed();
}

TEST_F(LoaderTest, FiveRefusalsCloseTheWriteAndFail) {
  const auto data = Pattern(2);
  device->On(0x5A, {0x5A});
  for (int i = 0; i < 5; ++i) test::ScriptRecordAttempt(*device, 0x2000, data, 0x06);
  device->On(0x5C, {});  // whatever comes back, or nothing
  EXPECT_EQ(LoaderWrite(Link(), 0x2000, data.data(), 128), LoaderResult::kNoAnswer);
  ExpectScriptFollowed();
  EXPECT_EQ(device->sent.size(), 1u + 5 * 133 + 1);
}

TEST_F(LoaderTest, WriteFailureStatusEndsAtOnce) {
  const auto data = Pattern(3);
  device->On(0x5A, {0x5A});
  test::ScriptRecordAttempt(*device, 0x3000, data, 0x04);
  EXPECT_EQ(LoaderWrite(Link(), 0x3000, data.data(), 128), LoaderResult::kWriteFailed);
  ExpectScriptFollowed();  // and no 0x5C after it

  auto other = std::make_shared<FakeDevice>();
  other->On(0x5A, {0x5A});
  test::ScriptRecordAttempt(*other, 0x3000, data, 0x07);
  auto otherLink = SerialLink::Open("COM1", 38400, other->Options()).link;
  EXPECT_EQ(LoaderWrite(*otherLink, 0x3000, data.data(), 128), LoaderResult::kNoAnswer);
  EXPECT_EQ(other->sent.size(), 1u + 133);
}

TEST_F(LoaderTest, WrongEchoOrMissingChecksumPromptStops) {
  const auto data = Pattern(4);
  device->On(0x5A, {0x5A}).On(0x5B, {0x5B}).On(0x00, {0x00}).On(0x30, {0x00});
  for (std::size_t i = 0; i < 128; ++i) device->On(data[i], {0x00});  // no 0x0B after the last
  EXPECT_EQ(LoaderWrite(Link(), 0x3000, data.data(), 128), LoaderResult::kNoAnswer);
  ExpectScriptFollowed();

  auto wrongEcho = std::make_shared<FakeDevice>();
  wrongEcho->On(0x5A, {0x5B});
  auto echoLink = SerialLink::Open("COM1", 38400, wrongEcho->Options()).link;
  EXPECT_EQ(LoaderWrite(*echoLink, 0x3000, data.data(), 128), LoaderResult::kNoAnswer);
  EXPECT_THAT(wrongEcho->SentBytes(), ElementsAre(0x5A));
}

// The caller asks to stop once the device has taken `bytes` host bytes:
// a moment inside a command, picked by progress rather than by time.
SerialLink CancelledAfter(const std::shared_ptr<FakeDevice>& device, std::size_t bytes) {
  SerialOptions options = device->Options();
  options.cancelled = [d = device.get(), bytes] { return d->sent.size() >= bytes; };
  return std::move(*SerialLink::Open("COM1", 38400, options).link);
}

TEST_F(LoaderTest, CancelledWriteFinishesItsRecordAndClosesTheFrame) {
  std::vector<uint8_t> data(3 * 128);
  std::iota(data.begin(), data.end(), uint8_t{3});
  // Stopping anywhere inside the second record (0x5A, then 133 bytes per
  // attempt) takes that record to its status byte, then 0x5C.
  for (std::size_t moment : {135u, 136u, 200u, 267u}) {
    auto module = std::make_shared<FakeDevice>();
    module->On(0x5A, {0x5A});
    test::ScriptRecordAttempt(*module, 0x1000, test::Record(data.data(), 128), 0x0A);
    test::ScriptRecordAttempt(*module, 0x1080, test::Record(data.data() + 128, 128), 0x0A);
    module->On(0x5C, {0x5C});
    SerialLink stopping = CancelledAfter(module, moment);
    EXPECT_EQ(LoaderWrite(stopping, 0x1000, data.data(), data.size()), LoaderResult::kInterrupted)
        << moment;
    EXPECT_THAT(module->SentBytes(), ElementsAreArray(module->ExpectedHostBytes())) << moment;
  }
  // A record refused just before: no further attempt, the frame closed.
  auto refused = std::make_shared<FakeDevice>();
  refused->On(0x5A, {0x5A});
  test::ScriptRecordAttempt(*refused, 0x1000, test::Record(data.data(), 128), 0x06);
  refused->On(0x5C, {});  // the answer to 0x5C is not waited for beyond the time-out
  SerialLink refusedLink = CancelledAfter(refused, 2);
  EXPECT_EQ(LoaderWrite(refusedLink, 0x1000, data.data(), 128), LoaderResult::kInterrupted);
  EXPECT_THAT(refused->SentBytes(), ElementsAreArray(refused->ExpectedHostBytes()));
}

TEST_F(LoaderTest, CancelledReadAndEraseTakeTheirAnswersFirst) {
  const auto data = Pattern(7);
  test::ScriptReadBlock(*device, 0x0100, data);
  SerialLink reading = CancelledAfter(device, 1);  // right after 0x11
  std::array<uint8_t, 128> got{};
  EXPECT_EQ(LoaderReadBlock(reading, 0x0100, got), LoaderResult::kOk);
  EXPECT_EQ(got, data);
  // The next command does not begin.
  EXPECT_EQ(LoaderReadBlock(reading, 0x0180, got), LoaderResult::kInterrupted);
  EXPECT_EQ(device->sent.size(), 3u);

  auto erasing = std::make_shared<FakeDevice>();
  test::ScriptErase(*erasing, 0x10, 0x09);
  SerialLink afterMask = CancelledAfter(erasing, 2);  // after the mask
  EXPECT_EQ(LoaderEraseBlocks(afterMask, 0x10), LoaderResult::kOk);
  for (LoaderResult stopped :
       {LoaderConnect(afterMask), LoaderEnter(afterMask), LoaderEraseBlocks(afterMask, 0x01),
        LoaderWrite(afterMask, 0x1000, data.data(), 128), LoaderExit(afterMask)})
    EXPECT_EQ(stopped, LoaderResult::kInterrupted);
  EXPECT_THAT(erasing->SentBytes(), ElementsAre(0xA5, 0x10));
  EXPECT_EQ(erasing->scriptUnused(), 0u);  // the status byte was taken
}

TEST_F(LoaderTest, FailingCallsGiveMinusOne) {
  device->failWriteNumber = 1;
  EXPECT_EQ(LoaderConnect(Link()), LoaderResult::kPortFailed);
  EXPECT_EQ(LoaderExit(Link()), LoaderResult::kPortFailed);

  auto readFails = std::make_shared<FakeDevice>();
  readFails->failReadsFrom = 1;
  auto failingLink = SerialLink::Open("COM1", 38400, readFails->Options()).link;
  EXPECT_EQ(LoaderEraseBlocks(*failingLink, 0x10), LoaderResult::kPortFailed);
}

}  // namespace
}  // namespace vrx
