#include "device/des.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "tests/device/des_vectors.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"

namespace vrx {
namespace {

using test::Bytes;
using test::FromHex;
using test::ToHex;

std::string Process(const Bytes& key, const Bytes& input, int mode) {
  Bytes block = input;
  DesProcessBlock(key.data(), block.data(), mode);
  return ToHex(block.data(), block.size());
}

// Checks a known answer in both directions.
void ExpectKnownAnswer(const Bytes& key, const Bytes& plaintext, const std::string& ciphertext) {
  SCOPED_TRACE("key " + ToHex(key.data(), 8) + " plaintext " + ToHex(plaintext.data(), 8));
  EXPECT_EQ(Process(key, plaintext, kDesEncipher), ciphertext);
  EXPECT_EQ(Process(key, FromHex(ciphertext), kDesDecipher), ToHex(plaintext.data(), 8));
}

Bytes SingleBit(int bit) {
  Bytes block(8, 0);
  block[bit / 8] = static_cast<uint8_t>(0x80 >> (bit % 8));
  return block;
}

TEST(DesKnownAnswers, VariablePlaintext) {
  const Bytes key(8, 0x01);
  for (int bit = 0; bit < 64; ++bit) {
    ExpectKnownAnswer(key, SingleBit(bit), test::kVariablePlaintextAnswers[bit]);
  }
}

TEST(DesKnownAnswers, VariableKey) {
  const Bytes zero(8, 0);
  int index = 0;
  for (int byte = 0; byte < 8; ++byte) {
    for (int bit = 0; bit < 7; ++bit) {  // the eighth bit is parity
      Bytes key(8, 0x01);
      key[byte] = static_cast<uint8_t>(0x80 >> bit);
      ExpectKnownAnswer(key, zero, test::kVariableKeyAnswers[index++]);
    }
  }
}

TEST(DesKnownAnswers, PermutationAndSubstitutionTables) {
  for (const auto& vector : test::kPermutationVectors) {
    ExpectKnownAnswer(FromHex(vector.key), FromHex(vector.plaintext), vector.ciphertext);
  }
  for (const auto& vector : test::kSubstitutionVectors) {
    ExpectKnownAnswer(FromHex(vector.key), FromHex(vector.plaintext), vector.ciphertext);
  }
}

TEST(DesKeyParity, ParityBitsDoNotChangeTheResult) {
  const Bytes plaintext = FromHex("0123456789ABCDEF");
  const Bytes key = FromHex("133457799BBCDFF1");
  const std::string expected = Process(key, plaintext, kDesEncipher);
  for (int byte = 0; byte < 8; ++byte) {
    Bytes flipped = key;
    flipped[byte] ^= 0x01;
    EXPECT_EQ(Process(flipped, plaintext, kDesEncipher), expected) << "byte " << byte;
    // Any other bit of the same byte does matter.
    flipped[byte] ^= 0x03;
    EXPECT_NE(Process(flipped, plaintext, kDesEncipher), expected) << "byte " << byte;
  }
}

TEST(DesBlocks, EachBlockIsProcessedAloneWithoutChaining) {
  const Bytes key = FromHex("133457799BBCDFF1");
  Bytes data = FromHex("0123456789ABCDEF0123456789ABCDEF");
  DesProcessBlocks(key.data(), data, kDesEncipher);
  EXPECT_EQ(ToHex(data.data(), data.size()), "85E813540F0AB40585E813540F0AB405");
  DesProcessBlocks(key.data(), data, kDesDecipher);
  EXPECT_EQ(ToHex(data.data(), data.size()), "0123456789ABCDEF0123456789ABCDEF");
}

// Runs the openssl command-line tool on `input`; "" when it fails.
std::string OpensslDes(const Bytes& key, const Bytes& input, bool decipher,
                       const test::ScratchFolder& dir) {
  test::WriteBytes(dir / "in.bin", input);
  const std::string command = "openssl enc -des-ecb -nopad -provider legacy -provider default" +
                              std::string(decipher ? " -d" : "") + " -K " +
                              ToHex(key.data(), key.size()) + " -in " + (dir / "in.bin").string() +
                              " -out " + (dir / "out.bin").string() + " 2>/dev/null";
  if (test::RunShell(command) != 0) return {};
  const Bytes output = test::ReadBytes(dir / "out.bin");
  return ToHex(output.data(), output.size());
}

TEST(DesCrossCheck, AgreesWithOpensslOnRandomKeysAndBlocks) {
  test::ScratchFolder dir;
  if (OpensslDes(Bytes(8, 0x01), Bytes(8, 0), false, dir) != "8CA64DE9C1B123A7") {
    GTEST_SKIP() << "openssl with its legacy provider is not available";
  }
  std::mt19937 random(20260101);
  auto randomBytes = [&random](std::size_t size) {
    Bytes bytes(size);
    for (auto& byte : bytes) byte = static_cast<uint8_t>(random());
    return bytes;
  };
  constexpr std::size_t kBlocksPerKey = 16;
  for (int round = 0; round < 16; ++round) {
    const Bytes key = randomBytes(8);
    const Bytes input = randomBytes(8 * kBlocksPerKey);
    for (const int mode : {kDesEncipher, kDesDecipher}) {
      Bytes ours = input;
      DesProcessBlocks(key.data(), ours, mode);
      EXPECT_EQ(ToHex(ours.data(), ours.size()), OpensslDes(key, input, mode == kDesDecipher, dir))
          << "key " << ToHex(key.data(), 8) << " mode " << mode;
    }
  }
}

}  // namespace
}  // namespace vrx
