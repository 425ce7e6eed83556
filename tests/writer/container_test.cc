#include "writer/firmware_container.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "device/des.h"
#include "tests/support/never_ending_file.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"

namespace vrx {
namespace {

using test::Bytes;
using test::FromHex;
using ::testing::ElementsAre;

const Bytes kKey = FromHex("0E329232EA6D0D73");

// Records message boxes and log text in the order they happen.
struct Recorder : WriteLog, MessageBoxSink {
  std::vector<std::string> events;
  void AppendLog(std::string_view text) override { events.push_back("log:" + std::string(text)); }
  void ShowMessage(std::string_view text) override { events.push_back("box:" + std::string(text)); }
};

// The trailer laid out by hand, so that the reader is checked against the
// documented layout rather than against its own encoder.
Bytes Trailer(const Bytes& key, uint8_t reserved, uint32_t length) {
  Bytes trailer = key;
  trailer.push_back(reserved);
  trailer.push_back(static_cast<uint8_t>(length >> 16));
  trailer.push_back(static_cast<uint8_t>(length >> 8));
  trailer.push_back(static_cast<uint8_t>(length));
  return trailer;
}

Bytes Concat(Bytes first, const Bytes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

Bytes Pattern(std::size_t size, uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  return bytes;
}

// What the reader must produce for `payload`: the payload at the start of an
// all-0xFF image, deciphered in whole blocks.
FlashImage Expected(const Bytes& payload, const Bytes& key) {
  FlashImage image;
  image.fill(0xFF);
  std::copy(payload.begin(), payload.end(), image.begin());
  const std::size_t covered = (payload.size() + 7) / 8 * 8;
  DesProcessBlocks(key.data(), std::span<uint8_t>(image.data(), covered), kDesDecipher);
  return image;
}

bool AllFF(const FlashImage& image) {
  return std::all_of(image.begin(), image.end(), [](uint8_t byte) { return byte == 0xFF; });
}

class ContainerLoad : public ::testing::Test {
 protected:
  std::filesystem::path Write(const Bytes& bytes, std::string_view name = "writer.exe") {
    const auto path = dir_ / name;
    test::WriteBytes(path, bytes);
    return path;
  }

  ContainerResult Read(const std::filesystem::path& path) {
    return ReadFirmwarePayload(path, image_);
  }

  test::ScratchFolder dir_;
  FlashImage image_{};
  const Bytes program_ = Pattern(300, 0x11);  // stands for the executable image
};

TEST_F(ContainerLoad, EmptyPayloadLeavesTheImageBlank) {
  EXPECT_EQ(Read(Write(Concat(program_, Trailer(kKey, 0, 0)))), ContainerResult::kOk);
  EXPECT_TRUE(AllFF(image_));
}

TEST_F(ContainerLoad, FullSizePayloadFillsTheWholeImage) {
  const Bytes payload = Pattern(0x8000, 0x42);
  EXPECT_EQ(Read(Write(Concat(Concat(program_, payload), Trailer(kKey, 0, 0x8000)))),
            ContainerResult::kOk);
  EXPECT_EQ(image_, Expected(payload, kKey));
}

TEST_F(ContainerLoad, PayloadAtTheVeryStartOfTheFile) {
  // L == N + 12 is enough; one byte less is failure #3.
  const Bytes file = Concat(Pattern(64, 3), Trailer(kKey, 0, 64));
  EXPECT_EQ(Read(Write(file)), ContainerResult::kOk);
  EXPECT_EQ(image_, Expected(Pattern(64, 3), kKey));

  EXPECT_EQ(Read(Write(Bytes(file.begin() + 1, file.end()))), ContainerResult::kTruncated);
  EXPECT_TRUE(AllFF(image_));
}

TEST_F(ContainerLoad, LengthAboveTheImageIsFailureTwoEvenWhenTheFileIsAlsoTooShort) {
  EXPECT_EQ(Read(Write(Concat(Pattern(0x9000, 1), Trailer(kKey, 0, 0x8001)))),
            ContainerResult::kTooLarge);
  // Twelve bytes only: too short as well, but #2 is tested first.
  EXPECT_EQ(Read(Write(Trailer(kKey, 0, 0x8001))), ContainerResult::kTooLarge);
  EXPECT_EQ(Read(Write(Trailer(kKey, 0, 0xFFFFFF))), ContainerResult::kTooLarge);
}

TEST_F(ContainerLoad, FilesThatCannotBeReadAreFailureOne) {
  EXPECT_EQ(Read(dir_ / "missing.exe"), ContainerResult::kUnreadable);
  EXPECT_EQ(Read(""), ContainerResult::kUnreadable);  // own path unknown
  EXPECT_EQ(Read(dir_.path()), ContainerResult::kUnreadable);
  const auto never = test::NeverEndingFile(dir_.path());
  ASSERT_FALSE(never.empty());
  EXPECT_EQ(Read(never), ContainerResult::kUnreadable);
  EXPECT_TRUE(AllFF(image_));
}

TEST_F(ContainerLoad, FileShorterThanATrailerIsFailureThree) {
  EXPECT_EQ(Read(Write({})), ContainerResult::kTruncated);
  EXPECT_EQ(Read(Write(Bytes(11, 0))), ContainerResult::kTruncated);
}

TEST_F(ContainerLoad, PlainExecutableIsReadThroughItsLastTwelveBytes) {
  // Ends in 00 00 10: sixteen bytes before the last twelve count as payload,
  // enciphered with the eight bytes at L - 12.
  Bytes plain = Concat(program_, FromHex("0011223344556677"
                                         "88"
                                         "000010"));
  ASSERT_EQ(Read(Write(plain)), ContainerResult::kOk);
  const Bytes payload(plain.end() - 28, plain.end() - 12);
  EXPECT_EQ(image_, Expected(payload, FromHex("0011223344556677")));

  plain.back() = 0x01;
  plain[plain.size() - 3] = 0x80;  // 0x800001
  EXPECT_EQ(Read(Write(plain)), ContainerResult::kTooLarge);
}

TEST_F(ContainerLoad, PartialLastBlockIsDecipheredWithFillBytes) {
  const Bytes payload = Pattern(13, 0x90);
  ASSERT_EQ(Read(Write(Concat(Concat(program_, payload), Trailer(kKey, 0, 13)))),
            ContainerResult::kOk);

  Bytes second(payload.begin() + 8, payload.end());
  second.resize(8, 0xFF);
  DesProcessBlock(kKey.data(), second.data(), kDesDecipher);
  Bytes first(payload.begin(), payload.begin() + 8);
  DesProcessBlock(kKey.data(), first.data(), kDesDecipher);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), image_.begin()));
  EXPECT_TRUE(std::equal(second.begin(), second.end(), image_.begin() + 8));
  EXPECT_TRUE(std::all_of(image_.begin() + 16, image_.end(), [](uint8_t b) { return b == 0xFF; }));
}

TEST_F(ContainerLoad, ReservedByteHasNoEffect) {
  const Bytes payload = Pattern(40, 0x20);
  for (const int reserved : {0x00, 0x56, 0xA5, 0xFF}) {
    SCOPED_TRACE(reserved);
    ASSERT_EQ(Read(Write(Concat(payload, Trailer(kKey, static_cast<uint8_t>(reserved), 40)))),
              ContainerResult::kOk);
    EXPECT_EQ(image_, Expected(payload, kKey));
  }
}

TEST_F(ContainerLoad, EveryLoadStartsFromABlankImage) {
  const auto big = Write(Concat(Pattern(0x7180, 5), Trailer(kKey, 0, 0x7180)), "big.exe");
  const auto small = Write(Concat(Pattern(16, 9), Trailer(kKey, 0, 16)), "small.exe");
  ASSERT_EQ(Read(big), ContainerResult::kOk);
  const FlashImage first = image_;
  ASSERT_EQ(Read(big), ContainerResult::kOk);
  EXPECT_EQ(image_, first);

  ASSERT_EQ(Read(small), ContainerResult::kOk);
  EXPECT_EQ(image_, Expected(Pattern(16, 9), kKey));
  ASSERT_EQ(Read(big), ContainerResult::kOk);
  EXPECT_EQ(Read(dir_ / "missing.exe"), ContainerResult::kUnreadable);
  EXPECT_TRUE(AllFF(image_));
}

TEST_F(ContainerLoad, FailureShowsTheBoxThenLogsTheStopLine) {
  Recorder recorder;
  const auto path = Write(Concat(program_, Trailer(kKey, 0, 0x8001)));
  EXPECT_FALSE(LoadFirmwarePayload(image_, recorder, recorder, path));
  EXPECT_THAT(recorder.events, ElementsAre("box:実行時にエラーが発生しました。 #2",
                                           "log:\r\n### 実行を停止しました。"));

  recorder.events.clear();
  EXPECT_FALSE(LoadFirmwarePayload(image_, recorder, recorder, dir_ / "missing.exe"));
  EXPECT_THAT(recorder.events, ElementsAre("box:実行時にエラーが発生しました。 #1",
                                           "log:\r\n### 実行を停止しました。"));

  recorder.events.clear();
  EXPECT_FALSE(LoadFirmwarePayload(image_, recorder, recorder, Write(Trailer(kKey, 0, 100))));
  EXPECT_THAT(recorder.events, ElementsAre("box:実行時にエラーが発生しました。 #3",
                                           "log:\r\n### 実行を停止しました。"));

  // A stripped writer: the reader accepts the zero length (vrxtool image
  // relies on it), a Write must not program the blank image it gives.
  recorder.events.clear();
  const auto stripped = Write(Concat(program_, Trailer(kKey, 0, 0)), "stripped.exe");
  uint32_t payloadSize = 1;
  EXPECT_EQ(ReadFirmwarePayload(stripped, image_, &payloadSize), ContainerResult::kOk);
  EXPECT_EQ(payloadSize, 0u);
  EXPECT_FALSE(LoadFirmwarePayload(image_, recorder, recorder, stripped));
  EXPECT_THAT(recorder.events, ElementsAre("box:実行時にエラーが発生しました。 #2",
                                           "log:\r\n### 実行を停止しました。"));
}

TEST_F(ContainerLoad, SuccessReportsNothing) {
  Recorder recorder;
  EXPECT_TRUE(LoadFirmwarePayload(image_, recorder, recorder,
                                  Write(Concat(Pattern(8, 1), Trailer(kKey, 0, 8)))));
  EXPECT_TRUE(recorder.events.empty());
  uint32_t payloadSize = 0;
  EXPECT_EQ(
      ReadFirmwarePayload(Write(Concat(Pattern(8, 1), Trailer(kKey, 0, 8))), image_, &payloadSize),
      ContainerResult::kOk);
  EXPECT_EQ(payloadSize, 8u);
}

}  // namespace
}  // namespace vrx
