// The worst inputs the commands can be given, each run under a memory and a
// processor-time limit: every one must end with the program's own message
// and exit 1, never by an abort or by running out of its limits.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/config_exchange.h"
#include "resources/tool_messages.h"
#include "tests/support/child_process.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

using test::ReadWholeFile;
using test::ScratchFolder;
using test::ShellQuoted;
using test::WriteWholeFile;

// Address space for the whole process, libraries included (about 100 MB of
// it before any input): far below what the old reader used for these files
// (1.7 to 6.5 GB), far above the ~20 times its input the reader may take.
constexpr int kAddressSpaceKb = 512 * 1024;
// Processor seconds, not wall-clock ones, so a busy machine cannot make the
// test fail; the deeply nested file alone took the old reader 40 s.
constexpr int kCpuSeconds = 10;

struct LimitedRun {
  int exitCode;
  std::string errors;
};

LimitedRun RunLimited(const ScratchFolder& folder, const std::string& arguments) {
  const auto errors = folder / "stderr.txt";
  const std::string command = "ulimit -v " + std::to_string(kAddressSpaceKb) + " && ulimit -t " +
                              std::to_string(kCpuSeconds) + " && exec " +
                              std::string(VRX_BINARY_DIR) + "/tools/vrxtool " + arguments +
                              " >/dev/null 2>" + ShellQuoted(errors);
  const int exitCode = test::RunShell(command);
  LimitedRun run{exitCode, ReadWholeFile(errors)};
  std::filesystem::remove(errors);
  return run;
}

// A file of `size` bytes that takes no room on the disk.
void MakeSparseFile(const std::filesystem::path& path, std::uintmax_t size) {
  std::ofstream(path).close();
  std::filesystem::resize_file(path, size);
}

std::string Repeated(std::string_view piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(VrxtoolInputLimits, HostileImportsEndWithTheirMessage) {
#ifdef VRX_SANITIZED_BUILD
  GTEST_SKIP() << "the sanitizers reserve terabytes of address space";
#endif
  ScratchFolder folder;
  const std::string head = "{\"format\": \"VRX7100 data file\", \"version\": 1,\n";
  // Just under the limit, so that the parser, not the size check, meets them.
  const std::size_t room = kImportFileLimit - 256;
  struct Hostile {
    const char* name;
    std::string text;
    std::string message;  // after "<file>:"
  } const hostile[] = {
      {"nested.json", Repeated("[", 20000) + Repeated("]", 20000),
       " " + std::string(tool_msg::ImportProblemText(tool_msg::kWrongFormat))},
      {"nested-member.json", head + "\"zz\": " + Repeated("[", 20000) + Repeated("]", 20000) + "}",
       "2: zz: " + std::string(tool_msg::ImportProblemText(tool_msg::kSyntax))},
      {"zeros.json", "{\"zz\": [" + Repeated("0,", room / 2) + "0]}",
       "1: zz: " + std::string(tool_msg::ImportProblemText(tool_msg::kSyntax))},
      {"objects.json", head + "\"keys\": [" + Repeated("[{},{},{},{}],", room / 14) + "0]}",
       "2: keys: " + std::string(tool_msg::ImportProblemText(tool_msg::kSyntax))},
      {"string.json",
       head + "\"keys\": [{\"key\": 1, \"make\": \"" + std::string(room, 'A') + "\"}]}",
       "2: KEY1 make: " + std::string(tool_msg::ImportProblemText(tool_msg::kBadCode))},
      {"commas.csv", "key,make\n1," + std::string(room, ','),
       "2: " + std::string(tool_msg::ImportProblemText(tool_msg::kSyntax))},
      {"field.csv", "key,make\n1," + std::string(room, 'E'),
       "2: KEY1 make: " + std::string(tool_msg::ImportProblemText(tool_msg::kBadCode))},
  };
  for (const Hostile& input : hostile) {
    ASSERT_LE(input.text.size(), kImportFileLimit) << input.name;
    WriteWholeFile(folder / input.name, input.text);
    const LimitedRun run = RunLimited(folder, "import " + ShellQuoted(folder / input.name) + " " +
                                                  ShellQuoted(folder / "out.vrx"));
    EXPECT_EQ(run.exitCode, 1) << input.name << ": " << run.errors;
    EXPECT_EQ(run.errors, (folder / input.name).string() + ":" + input.message + "\n")
        << input.name;
    std::filesystem::remove(folder / input.name);
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "out.vrx"));

  // Above the limit: refused by its size, named with the limit, unread.
  MakeSparseFile(folder / "huge.json", std::uintmax_t{100} << 20);
  const LimitedRun huge = RunLimited(folder, "import " + ShellQuoted(folder / "huge.json") + " " +
                                                 ShellQuoted(folder / "out.vrx"));
  EXPECT_EQ(huge.exitCode, 1);
  EXPECT_EQ(huge.errors, (folder / "huge.json").string() + ": " +
                             std::string(tool_msg::ImportFileTooLarge()) + "\n");
  EXPECT_NE(huge.errors.find("4 MB"), std::string::npos);
  EXPECT_EQ(kImportFileLimit, std::size_t{4} << 20);
}

TEST(VrxtoolInputLimits, HugeImagesAndExecutablesAreRefusedBySize) {
#ifdef VRX_SANITIZED_BUILD
  GTEST_SKIP() << "the sanitizers reserve terabytes of address space";
#endif
  ScratchFolder folder;
  MakeSparseFile(folder / "huge.bin", std::uintmax_t{1} << 30);
  const LimitedRun extract = RunLimited(folder, "extract " + ShellQuoted(folder / "huge.bin") +
                                                    " " + ShellQuoted(folder / "out.vrx"));
  EXPECT_EQ(extract.exitCode, 1);
  EXPECT_EQ(extract.errors,
            (folder / "huge.bin").string() + ": " + std::string(tool_msg::NotAFlashImage()) + "\n");

  WriteWholeFile(folder / "firmware.bin", std::string(1024, '\x5A'));
  const LimitedRun pack =
      RunLimited(folder, "pack " + ShellQuoted(folder / "firmware.bin") + " " +
                             ShellQuoted(folder / "huge.bin") + " --key 0123456789ABCDEF");
  EXPECT_EQ(pack.exitCode, 1);
  EXPECT_EQ(pack.errors,
            (folder / "huge.bin").string() + ": the executable is larger than 128 MB\n");
  EXPECT_EQ(std::filesystem::file_size(folder / "huge.bin"), std::uintmax_t{1} << 30);
}

}  // namespace
}  // namespace vrx
