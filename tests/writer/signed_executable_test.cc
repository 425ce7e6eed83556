#include "writer/signed_executable.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"
#include "writer/firmware_container.h"
#include "writer/firmware_pack.h"

namespace vrx {
namespace {

using test::Bytes;

const DesKey kKey = *ParseDesKey("133457799BBCDFF1");
constexpr std::size_t kPeAt = 0x80;
constexpr std::size_t kOptionalAt = kPeAt + 4 + 20;

void Put16(Bytes& bytes, std::size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, std::size_t at, uint32_t value) {
  Put16(bytes, at, value & 0xFFFF);
  Put16(bytes, at + 2, value >> 16);
}

// Where the security directory entry sits for a PE32 or PE32+ header.
std::size_t SecurityEntryAt(bool plus) { return kOptionalAt + (plus ? 112 : 96) + 4 * 8; }

// A program of `size` bytes with a PE header of the given kind and the
// usual 16 data directories, all empty.
Bytes PeProgram(bool plus, std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
  std::fill(bytes.begin(), bytes.begin() + 0x200, 0);
  bytes[0] = 'M';
  bytes[1] = 'Z';
  Put32(bytes, 0x3C, kPeAt);
  bytes[kPeAt] = 'P';
  bytes[kPeAt + 1] = 'E';
  Put16(bytes, kPeAt + 4 + 16, plus ? 240 : 224);  // size of the optional header
  Put16(bytes, kOptionalAt, plus ? 0x20B : 0x10B);
  Put32(bytes, kOptionalAt + (plus ? 108 : 92), 16);
  return bytes;
}

// What a signing tool does: pads the file to 8 bytes, appends the table and
// names it in the security directory.
Bytes Signed(Bytes file, bool plus, std::size_t tableSize = 1500) {
  file.resize((file.size() + 7) / 8 * 8, 0);
  Put32(file, SecurityEntryAt(plus), static_cast<uint32_t>(file.size()));
  Put32(file, SecurityEntryAt(plus) + 4, static_cast<uint32_t>(tableSize));
  file.resize(file.size() + tableSize, 0x30);
  return file;
}

Bytes Firmware(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i ^ (i >> 8));
  return bytes;
}

class SignedWriter : public ::testing::TestWithParam<bool> {
 protected:
  // The writer as the build leaves it: packed, not signed.
  Bytes Packed(std::size_t programSize, std::size_t firmwareSize) {
    test::WriteBytes(exe_, PeProgram(GetParam(), programSize));
    EXPECT_EQ(PackFirmware(Firmware(firmwareSize), exe_, kKey), PackResult::kOk);
    return test::ReadBytes(exe_);
  }
  FlashImage Load(const Bytes& file) {
    test::WriteBytes(exe_, file);
    FlashImage image;
    EXPECT_EQ(ReadFirmwarePayload(exe_, image), ContainerResult::kOk);
    return image;
  }

  test::ScratchFolder dir_;
  const std::filesystem::path exe_ = dir_ / "VRXWriter.exe";
};

TEST_P(SignedWriter, CarriesTheSameFirmwareAsBeforeSigning) {
  // Program lengths on either side of the 8-byte alignment the signature
  // needs, firmware of whole and partial blocks.
  for (const std::size_t programSize : {0x400u, 0x401u, 0x403u, 0x407u}) {
    for (const std::size_t firmwareSize : {0x7180u, 13u, 0x8000u}) {
      SCOPED_TRACE(testing::Message() << programSize << " + " << firmwareSize);
      const Bytes plain = Packed(programSize, firmwareSize);
      const FlashImage before = Load(plain);
      const Bytes signedFile = Signed(plain, GetParam());
      ASSERT_GT(signedFile.size(), plain.size());
      EXPECT_EQ(Load(signedFile), before);
      EXPECT_TRUE(std::equal(before.begin(), before.begin() + static_cast<long>(firmwareSize),
                             Firmware(firmwareSize).begin()));
    }
  }
}

TEST_P(SignedWriter, PackingIntoASignedFileIsRefusedAndLeavesItAlone) {
  const Bytes signedFile = Signed(Packed(0x600, 64), GetParam());
  test::WriteBytes(exe_, signedFile);
  EXPECT_EQ(PackFirmware(Firmware(64), exe_, kKey), PackResult::kExecutableSigned);
  EXPECT_EQ(test::ReadBytes(exe_), signedFile);
  EXPECT_NE(PackErrorText(PackResult::kExecutableSigned).find("pack before signing"),
            std::string_view::npos);
}

TEST_P(SignedWriter, ATableThatIsNotLastLeavesTheTrailerAtTheEnd) {
  // Something appended after signing (an old packer's payload) ends the
  // file; the table it follows is not the file's end.
  Bytes file = Signed(PeProgram(GetParam(), 0x500), GetParam());
  const Bytes container = BuildContainer(Firmware(40), kKey);
  file.insert(file.end(), container.begin(), container.end());
  const FlashImage image = Load(file);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 40, Firmware(40).begin()));
  EXPECT_EQ(SignedContentEnd(file, file.size()), file.size());
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, SignedWriter, ::testing::Bool());

TEST(CertificateTable, IsFoundOnlyInAWellFormedHeader) {
  const Bytes good = Signed(PeProgram(true, 0x500), true, 0x123);
  const auto table = FindCertificateTable(good);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->offset, 0x500u);
  EXPECT_EQ(table->size, 0x123u);
  EXPECT_EQ(SignedContentEnd(good, good.size()), 0x500u);

  const auto broken = [&good](auto change) {
    Bytes bytes = good;
    change(bytes);
    return bytes;
  };
  const std::pair<const char*, Bytes> cases[] = {
      {"unsigned", PeProgram(true, 0x500)},
      {"no MZ", broken([](Bytes& b) { b[1] = 'X'; })},
      {"no PE signature", broken([](Bytes& b) { b[kPeAt + 2] = 1; })},
      {"header pointer past the file", broken([](Bytes& b) { Put32(b, 0x3C, 0xFFFFFFF0); })},
      {"unknown optional header", broken([](Bytes& b) { Put16(b, kOptionalAt, 0x107); })},
      {"optional header too short", broken([](Bytes& b) { Put16(b, kPeAt + 20, 112 + 4 * 8); })},
      {"four directories only", broken([](Bytes& b) { Put32(b, kOptionalAt + 108, 4); })},
      {"empty table", broken([](Bytes& b) { Put32(b, SecurityEntryAt(true) + 4, 0); })},
      {"cut in the header", Bytes(good.begin(), good.begin() + 0x100)},
      {"cut in the pointer", Bytes(good.begin(), good.begin() + 0x3E)},
      {"empty", Bytes()},
  };
  for (const auto& [what, bytes] : cases) {
    EXPECT_FALSE(FindCertificateTable(bytes)) << what;
    EXPECT_EQ(SignedContentEnd(bytes, 0x623), 0x623u) << what;
  }
  // A table that does not reach the file's end, or lies beyond it.
  EXPECT_EQ(SignedContentEnd(good, good.size() + 1), good.size() + 1);
  EXPECT_EQ(SignedContentEnd(good, 0x400), 0x400u);
}

TEST(CertificateTable, UnsignedFilesAreReadAtTheirEnd) {
  // A PE file that is not signed and a file that is no PE file at all: the
  // trailer is the last 12 bytes, as for every file before.
  test::ScratchFolder dir;
  for (Bytes file : {PeProgram(false, 0x300), Bytes(0x300, 0x4D)}) {
    const Bytes container = BuildContainer(Firmware(24), kKey);
    file.insert(file.end(), container.begin(), container.end());
    test::WriteBytes(dir / "program", file);
    FlashImage image;
    ASSERT_EQ(ReadFirmwarePayload(dir / "program", image), ContainerResult::kOk);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 24, Firmware(24).begin()));
  }
}

}  // namespace
}  // namespace vrx
