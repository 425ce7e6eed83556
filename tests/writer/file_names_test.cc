// Names outside ASCII through the real vrxtool: every file it makes or reads
// must reach the file system under the name as typed.  A path made from the
// UTF-8 text without conversion is read in the ANSI code page on Windows
// and would leave "ãƒ†ã‚¹ãƒˆ.vrx" on the disk.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "config/data_file.h"
#include "platform/process_start.h"
#include "platform/utf8_path.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"
#include "writer/firmware_container.h"

namespace vrx {
namespace {

namespace fs = std::filesystem;
using test::ShellQuoted;

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names.insert(Utf8FromPath(entry.path().filename()));
  return names;
}

TEST(NonAsciiFileNames, VrxtoolMakesAndReadsFilesUnderTheirOwnNames) {
  test::ScratchFolder folder("vrx-names");
  const fs::path dataFile = folder.path() / PathFromUtf8("テスト 設定.vrx");
  const fs::path writer = folder.path() / PathFromUtf8("書込み.exe");
  const fs::path image = folder.path() / PathFromUtf8("イメージ.bin");
  fs::copy_file(VRX_DUMMY_PROGRAM, writer);
  const std::string tool = ShellQuoted(VRX_VRXTOOL);

  ASSERT_EQ(test::RunShell(tool + " new " + ShellQuoted(dataFile)), 0);
  ASSERT_EQ(test::RunShell(tool + " pack " + ShellQuoted(VRX_FIRMWARE_IMAGE_FILE) + " " +
                           ShellQuoted(writer) + " --key " + VRX_FIRMWARE_KEY_HEX),
            0);
  ASSERT_EQ(test::RunShell(tool + " image " + ShellQuoted(dataFile) + " " + ShellQuoted(image) +
                           " --container " + ShellQuoted(writer)),
            0);

  EXPECT_EQ(NamesIn(folder.path()),
            (std::set<std::string>{"テスト 設定.vrx", "書込み.exe", "イメージ.bin"}));
  // The image is the one the library builds from the same two files.
  FlashImage expected;
  ASSERT_EQ(ReadFirmwarePayload(writer, expected), ContainerResult::kOk);
  ASSERT_EQ(LoadConfigIntoFlashImage(dataFile, expected), DataFileError::kNone);
  EXPECT_EQ(test::ReadBytes(image), test::Bytes(expected.begin(), expected.end()));
}

// The editor's 書込み starts the writer with the data file as one argument:
// blanks and Japanese in it must arrive as they were (the command line is
// built for CreateProcessW on Windows, an argument vector elsewhere).
TEST(NonAsciiFileNames, AStartedProgramGetsTheNameAsOneArgument) {
  test::ScratchFolder folder("vrx-names");
  const fs::path wanted = folder.path() / PathFromUtf8("鍵盤 試作 1.vrx");
  ASSERT_EQ(StartDetachedProcess({VRX_VRXTOOL, "new", Utf8FromPath(wanted)}), 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!fs::exists(wanted) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(NamesIn(folder.path()), std::set<std::string>{Utf8FromPath(wanted.filename())});
}

}  // namespace
}  // namespace vrx
