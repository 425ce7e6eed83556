#include "writer/firmware_pack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "device/des.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"

namespace vrx {
namespace {

using test::Bytes;
using test::FromHex;

const DesKey kKey = *ParseDesKey("133457799BBCDFF1");

Bytes Pattern(std::size_t size, uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<uint8_t>(seed ^ (i * 13 + (i >> 7)));
  return bytes;
}

// The firmware as the writer will see it: loaded from `executable`.
Bytes LoadedFirmware(const std::filesystem::path& executable, std::size_t size) {
  FlashImage image;
  EXPECT_EQ(ReadFirmwarePayload(executable, image), ContainerResult::kOk);
  return Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
}

class Packing : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteBytes(exe_, program_); }

  test::ScratchFolder dir_;
  const std::filesystem::path exe_ = dir_ / "program";
  const Bytes program_ = Pattern(5000, 0x7F);
};

TEST_F(Packing, AnyLengthComesBackThroughTheLoader) {
  for (const std::size_t size : {0u, 1u, 7u, 8u, 13u, 0x7180u, 0x7FFFu, 0x8000u}) {
    SCOPED_TRACE(size);
    const Bytes firmware = Pattern(size, static_cast<uint8_t>(size));
    ASSERT_EQ(PackFirmware(firmware, exe_, kKey), PackResult::kOk);
    FlashImage image;
    ASSERT_EQ(ReadFirmwarePayload(exe_, image), ContainerResult::kOk);
    EXPECT_TRUE(std::equal(firmware.begin(), firmware.end(), image.begin()));
    // Padding and the rest of the image stay erased.
    EXPECT_TRUE(std::all_of(image.begin() + static_cast<std::ptrdiff_t>(size), image.end(),
                            [](uint8_t b) { return b == 0xFF; }));
    const Bytes file = test::ReadBytes(exe_);
    EXPECT_TRUE(std::equal(program_.begin(), program_.end(), file.begin()));
    // Ready for a signature: the file ends 8-aligned, zeros filling the gap
    // between program and payload.
    EXPECT_EQ(file.size() % 8, 0u);
    const std::size_t gap = file.size() - program_.size() - (size + 7) / 8 * 8 - kTrailerSize;
    EXPECT_LT(gap, 8u);
    EXPECT_TRUE(std::all_of(file.begin() + static_cast<std::ptrdiff_t>(program_.size()),
                            file.begin() + static_cast<std::ptrdiff_t>(program_.size() + gap),
                            [](uint8_t b) { return b == 0; }));
  }
}

TEST_F(Packing, TrailerCarriesKeyMarkerAndPaddedLength) {
  ASSERT_EQ(PackFirmware(Pattern(0x7179, 1), exe_, kKey), PackResult::kOk);
  const Bytes file = test::ReadBytes(exe_);
  EXPECT_EQ(Bytes(file.end() - 12, file.end()), FromHex("133457799BBCDFF1"
                                                        "56"
                                                        "007180"));
  // The payload is the firmware enciphered block by block.
  const auto payload = file.end() - 12 - 0x7180;
  Bytes firstBlock(payload, payload + 8);
  DesProcessBlock(kKey.data(), firstBlock.data(), kDesDecipher);
  const Bytes firmware = Pattern(8, 1);
  EXPECT_EQ(firstBlock, firmware);
}

TEST_F(Packing, OversizedFirmwareIsRefusedAndTheFileIsUntouched) {
  const auto before = std::filesystem::last_write_time(exe_);
  EXPECT_EQ(PackFirmware(Pattern(0x8001, 0), exe_, kKey), PackResult::kFirmwareTooLarge);
  EXPECT_EQ(test::ReadBytes(exe_), program_);
  EXPECT_EQ(std::filesystem::last_write_time(exe_), before);
}

TEST_F(Packing, RepackingReplacesThePayloadInsteadOfStacking) {
  ASSERT_EQ(PackFirmware(Pattern(0x7180, 1), exe_, kKey), PackResult::kOk);
  const Bytes once = test::ReadBytes(exe_);
  ASSERT_EQ(PackFirmware(Pattern(0x7180, 1), exe_, kKey), PackResult::kOk);
  EXPECT_EQ(test::ReadBytes(exe_), once);

  const DesKey otherKey = *ParseDesKey("0123456789abcdef");
  ASSERT_EQ(PackFirmware(Pattern(24, 2), exe_, otherKey), PackResult::kOk);
  // The 4 zero bytes that align the first container stay; nothing stacks.
  EXPECT_EQ(test::ReadBytes(exe_).size(), program_.size() + 4 + 24 + kTrailerSize);
  EXPECT_EQ(LoadedFirmware(exe_, 24), Pattern(24, 2));
}

// Windows keeps no owner/group mode bits, only a read-only flag.
#ifdef _WIN32
constexpr bool kModeBits = false;
#else
constexpr bool kModeBits = true;
#endif

TEST_F(Packing, KeepsPermissionsOfTheExecutable) {
  if (!kModeBits) GTEST_SKIP() << "no mode bits on this platform";
  namespace fs = std::filesystem;
  fs::permissions(exe_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  ASSERT_EQ(PackFirmware(Pattern(64, 1), exe_, kKey), PackResult::kOk);
  EXPECT_EQ(fs::status(exe_).permissions(),
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

TEST(PackedImageSize, OnlyOurOwnTrailerIsRecognised) {
  Bytes file = Pattern(100, 3);
  const Bytes ours = BuildContainer(Pattern(16, 4), kKey);
  Bytes packed = file;
  packed.insert(packed.end(), ours.begin(), ours.end());
  EXPECT_EQ(ExecutableImageSize(packed), 100u);

  // A file that happens to end in zeros (as many executables do) or in a
  // trailer written by someone else keeps every byte.
  Bytes zeros = file;
  zeros.resize(200, 0);
  EXPECT_EQ(ExecutableImageSize(zeros), 200u);
  Bytes foreign = packed;
  foreign[foreign.size() - 4] = 0x00;
  EXPECT_EQ(ExecutableImageSize(foreign), foreign.size());
  // Our marker with an impossible length is not ours either.
  Bytes tooLong = packed;
  tooLong[tooLong.size() - 3] = 0x01;
  EXPECT_EQ(ExecutableImageSize(tooLong), tooLong.size());
  EXPECT_EQ(ExecutableImageSize(Bytes(5, 0x56)), 5u);
}

TEST(PackKey, AcceptsExactlySixteenHexDigits) {
  ASSERT_TRUE(ParseDesKey("5A6E74726F6C6974"));
  EXPECT_EQ(*ParseDesKey("5a6e74726f6c6974"), *ParseDesKey("5A6E74726F6C6974"));
  EXPECT_EQ((*ParseDesKey("5A6E74726F6C6974"))[7], 0x74);
  for (const char* bad : {"", "5A6E74726F6C697", "5A6E74726F6C69741", "5A6E74726F6C69G4",
                          "0x6E74726F6C6974", "5A6E 4726F6C6974", "+A6E74726F6C6974"}) {
    EXPECT_FALSE(ParseDesKey(bad)) << bad;
  }
}

TEST_F(Packing, FileEntryReportsEachProblem) {
  test::WriteBytes(dir_ / "fw.bin", Pattern(40, 1));
  EXPECT_EQ(PackFirmwareFile(dir_ / "fw.bin", exe_, "123"), PackResult::kBadKey);
  EXPECT_EQ(PackFirmwareFile(dir_ / "none.bin", exe_, "5A6E74726F6C6974"),
            PackResult::kFirmwareUnreadable);
  EXPECT_EQ(PackFirmwareFile(dir_ / "fw.bin", dir_ / "none", "5A6E74726F6C6974"),
            PackResult::kExecutableUnreadable);
  EXPECT_EQ(PackFirmwareFile(dir_ / "fw.bin", dir_.path(), "5A6E74726F6C6974"),
            PackResult::kExecutableUnreadable);
  EXPECT_EQ(test::ReadBytes(exe_), program_);
  EXPECT_EQ(PackFirmwareFile(dir_ / "fw.bin", exe_, "5A6E74726F6C6974"), PackResult::kOk);
  EXPECT_EQ(LoadedFirmware(exe_, 40), Pattern(40, 1));
}

}  // namespace
}  // namespace vrx
