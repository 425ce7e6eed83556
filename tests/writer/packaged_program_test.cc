// The build's packaging end to end: a real executable packed after linking,
// after strip, and by the install step, and the two command-line front ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/data_file.h"
#include "resources/message_table.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"
#include "writer/firmware_container.h"

namespace vrx {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ShellQuoted;

const fs::path kPackedProgram = VRX_DUMMY_PROGRAM;
const fs::path kFirmwareImage = VRX_FIRMWARE_IMAGE_FILE;

// The firmware the build is configured with comes back byte for byte, and the
// rest of the image is erased.
void ExpectCarriesTheFirmware(const fs::path& executable) {
  const Bytes firmware = test::ReadBytes(kFirmwareImage);
  FlashImage image;
  ASSERT_EQ(ReadFirmwarePayload(executable, image), ContainerResult::kOk) << executable;
  EXPECT_TRUE(std::equal(firmware.begin(), firmware.end(), image.begin())) << executable;
  EXPECT_TRUE(std::all_of(image.begin() + static_cast<std::ptrdiff_t>(firmware.size()), image.end(),
                          [](uint8_t b) { return b == 0xFF; }));
}

void ExpectRuns(const fs::path& executable) {
  EXPECT_EQ(test::RunShell(ShellQuoted(executable) + " > /dev/null"), 0) << executable;
}

class PackagedProgram : public ::testing::Test {
 protected:
  std::string PackCommand(const fs::path& executable) const {
    return ShellQuoted(VRX_VRXTOOL) + " pack " + ShellQuoted(kFirmwareImage) + " " +
           ShellQuoted(executable) + " --key " VRX_FIRMWARE_KEY_HEX;
  }
  test::ScratchFolder dir_;
};

TEST_F(PackagedProgram, LinkedProgramCarriesTheFirmwareAndStillRuns) {
  ExpectCarriesTheFirmware(kPackedProgram);
  ExpectRuns(kPackedProgram);
}

TEST_F(PackagedProgram, StripDropsThePayloadAndPackingRestoresIt) {
  const fs::path copy = dir_ / "program";
  fs::copy_file(kPackedProgram, copy);
  ASSERT_EQ(test::RunShell("strip " + ShellQuoted(copy)), 0);
  ExpectRuns(copy);
  ASSERT_EQ(test::RunShell(PackCommand(copy)), 0);
  ExpectCarriesTheFirmware(copy);
  ExpectRuns(copy);

  // Packing once more changes nothing.
  const Bytes packed = test::ReadBytes(copy);
  ASSERT_EQ(test::RunShell(PackCommand(copy)), 0);
  EXPECT_EQ(test::ReadBytes(copy), packed);
}

TEST_F(PackagedProgram, StrippedInstallIsPackedAgain) {
  const std::string install = ShellQuoted(VRX_CMAKE_COMMAND) + " --install " +
                              ShellQuoted(VRX_BINARY_DIR) +
                              " --component vrx_container_test --strip --prefix " +
                              ShellQuoted(dir_.path()) + " > /dev/null";
  ASSERT_EQ(test::RunShell(install), 0);
  const fs::path installed = dir_ / "bin" / kPackedProgram.filename().string();
  ExpectCarriesTheFirmware(installed);
  ExpectRuns(installed);
  // Installing over an earlier install gives the same file.
  const Bytes first = test::ReadBytes(installed);
  ASSERT_EQ(test::RunShell(install), 0);
  EXPECT_EQ(test::ReadBytes(installed), first);
}

TEST_F(PackagedProgram, PackToolExitCodes) {
  const std::string tool = ShellQuoted(VRX_VRXTOOL) + " pack";
  EXPECT_EQ(test::RunShell(tool + " 2> /dev/null"), 2);
  EXPECT_EQ(test::RunShell(tool + " " + ShellQuoted(kFirmwareImage) + " " +
                           ShellQuoted(dir_ / "none") + " --key 0123456789ABCDEF 2> /dev/null"),
            1);
}

class VrxtoolImage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::RunShell(ShellQuoted(VRX_VRXTOOL) + " new " + ShellQuoted(dataFile_)), 0);
  }

  // Runs vrxtool with `arguments`; returns the exit status and keeps stderr.
  int Vrxtool(const std::string& arguments) {
    const int status = test::RunShell(ShellQuoted(VRX_VRXTOOL) + " " + arguments + " 2> " +
                                      ShellQuoted(dir_ / "stderr.txt"));
    std::ifstream in(dir_ / "stderr.txt");
    std::stringstream text;
    text << in.rdbuf();
    stderr_ = text.str();
    return status;
  }

  test::ScratchFolder dir_;
  const fs::path dataFile_ = dir_ / "keys.vrx";
  const fs::path output_ = dir_ / "flash.bin";
  std::string stderr_;
};

TEST_F(VrxtoolImage, ConfigurationIsLaidOverTheFirmware) {
  ASSERT_EQ(Vrxtool("image " + ShellQuoted(dataFile_) + " " + ShellQuoted(output_) +
                    " --container " + ShellQuoted(kPackedProgram)),
            0)
      << stderr_;
  const Bytes image = test::ReadBytes(output_);
  ASSERT_EQ(image.size(), kFlashSize);

  FlashImage expected;
  ASSERT_EQ(ReadFirmwarePayload(kPackedProgram, expected), ContainerResult::kOk);
  ASSERT_EQ(LoadConfigIntoFlashImage(dataFile_, expected), DataFileError::kNone);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.begin()));
  // The firmware shows around the configuration block, not inside it.
  const Bytes firmware = test::ReadBytes(kFirmwareImage);
  EXPECT_TRUE(std::equal(firmware.begin(), firmware.begin() + kConfigBlockOffset, image.begin()));
  EXPECT_TRUE(std::equal(firmware.begin() + kConfigBlockOffset + kConfigBlockSize, firmware.end(),
                         image.begin() + kConfigBlockOffset + kConfigBlockSize));
}

TEST_F(VrxtoolImage, FailuresPrintTheWritersTextAndWriteNothing) {
  test::WriteBytes(dir_ / "short.exe", Bytes(5, 0));
  EXPECT_EQ(Vrxtool("image " + ShellQuoted(dataFile_) + " " + ShellQuoted(output_) +
                    " --container " + ShellQuoted(dir_ / "short.exe")),
            1);
  EXPECT_EQ(stderr_, "実行時にエラーが発生しました。 #3\n");
  EXPECT_FALSE(fs::exists(output_));

  test::WriteBytes(output_, Bytes{1, 2, 3});
  EXPECT_EQ(Vrxtool("image " + ShellQuoted(dir_ / "missing.vrx") + " " + ShellQuoted(output_) +
                    " --container " + ShellQuoted(kPackedProgram)),
            1);
  EXPECT_EQ(stderr_, std::string(WriterMessage(writer_msg::kFileOpenFailed)) + "\n");
  EXPECT_EQ(test::ReadBytes(output_), (Bytes{1, 2, 3}));
}

TEST_F(VrxtoolImage, ImageGoesToStandardOutputOrAnOpenPipe) {
  const std::string container = " --container " + ShellQuoted(kPackedProgram);
  ASSERT_EQ(Vrxtool("image " + ShellQuoted(dataFile_) + " " + ShellQuoted(output_) + container), 0)
      << stderr_;
  const Bytes expected = test::ReadBytes(output_);
  const fs::path piped = dir_ / "piped.bin";
  const std::vector<std::string> targets{"-", "/dev/stdout", ShellQuoted(dir_ / "stdout-link")};
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    fs::remove(piped);
    ASSERT_EQ(Vrxtool("image " + ShellQuoted(dataFile_) + " " + target + container + " | cat > " +
                      ShellQuoted(piped)),
              0)
        << stderr_;
    EXPECT_EQ(test::ReadBytes(piped), expected);
    if (!fs::is_symlink(dir_ / "stdout-link")) {
      fs::create_symlink("/proc/self/fd/1", dir_ / "stdout-link");
    }
  }
  EXPECT_TRUE(fs::is_symlink(dir_ / "stdout-link"));
}

// The firmware's size is known before it is read: a huge file neither
// takes memory nor crashes the packer, and the message names that file.
TEST_F(VrxtoolImage, OversizedFirmwareIsRefusedByName) {
  const fs::path copy = dir_ / "program";
  fs::copy_file(kPackedProgram, copy);
  const Bytes before = test::ReadBytes(copy);
  const fs::path huge = dir_ / "huge firmware.bin";
  { std::ofstream(huge).put('\0'); }
  fs::resize_file(huge, std::uintmax_t{3} << 30);  // sparse: costs no disk
  // The packer's memory is limited well below the file's size.
  const std::string pack = "ulimit -v 1000000; " + ShellQuoted(VRX_VRXTOOL) + " pack " +
                           ShellQuoted(huge) + " " + ShellQuoted(copy) +
                           " --key " VRX_FIRMWARE_KEY_HEX;
  EXPECT_EQ(test::RunShell("(" + pack + ") 2> " + ShellQuoted(dir_ / "stderr.txt")), 1);
  std::ifstream in(dir_ / "stderr.txt");
  stderr_.assign(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(stderr_, huge.string() + ": the firmware image is larger than 32768 bytes\n");
  EXPECT_EQ(test::ReadBytes(copy), before);
}

TEST_F(VrxtoolImage, PackCommandSharesThePackingStep) {
  const fs::path copy = dir_ / "program";
  fs::copy_file(kPackedProgram, copy);
  ASSERT_EQ(test::RunShell("strip " + ShellQuoted(copy)), 0);
  ASSERT_EQ(Vrxtool("pack " + ShellQuoted(kFirmwareImage) + " " + ShellQuoted(copy) +
                    " --key " VRX_FIRMWARE_KEY_HEX),
            0)
      << stderr_;
  ExpectCarriesTheFirmware(copy);
  EXPECT_EQ(Vrxtool("pack " + ShellQuoted(kFirmwareImage) + " " + ShellQuoted(copy) + " --key XYZ"),
            1);
  EXPECT_NE(stderr_.find("16 hexadecimal digits"), std::string::npos) << stderr_;
}

}  // namespace
}  // namespace vrx
