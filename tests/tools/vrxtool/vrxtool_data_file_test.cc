#include <gtest/gtest.h>

#include "resources/message_table.h"
#include "tests/support/child_process.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

using test::ExpectedDataFile;
using test::ReadWholeFile;
using test::ScratchFolder;
using test::ShellQuoted;
using test::WriteWholeFile;

struct ToolRun {
  int exitCode;
  std::string errors;
};

ToolRun RunVrxtool(const ScratchFolder& folder, const std::string& arguments) {
  const auto errors = folder / "stderr.txt";
  const std::string command = std::string(VRX_BINARY_DIR) + "/tools/vrxtool " + arguments +
                              " >/dev/null 2>" + ShellQuoted(errors);
  const int exitCode = test::RunShell(command);
  std::string text = ReadWholeFile(errors);
  std::filesystem::remove(errors);
  return {exitCode, text};
}

TEST(VrxtoolDataFile, NewWritesTheFreshEditorFile) {
  ScratchFolder folder;
  const ToolRun run = RunVrxtool(folder, "new " + ShellQuoted(folder / "fresh.vrx"));
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(ReadWholeFile(folder / "fresh.vrx"), ExpectedDataFile());

  EXPECT_EQ(RunVrxtool(folder, "new").exitCode, 2);
  const ToolRun failed = RunVrxtool(folder, "new " + ShellQuoted(folder / "missing" / "x.vrx"));
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.errors, std::string(EditorMessage(editor_msg::kFileOpenFailed)) + "\n");
}

TEST(VrxtoolDataFile, NormalizeRewritesInTheEditorLayout) {
  ScratchFolder folder;
  // Key 1 as a hand-written file might give it: blanks, lower case, 0x.
  std::string text = "// my keyboard\nVRX7100 DATA FILE\n0x00 0x0c 0f ff\n";
  for (int i = 4; i < 256; ++i) text += i < 192 ? "ff " : "00 ";
  text += "\n81 1c";
  for (int i = 2; i < 32; ++i) text += " ff";
  text += "\n02;f0;1c";
  for (int i = 3; i < 32; ++i) text += ";ff";
  text += "\n";
  for (int i = 64; i < 8192; ++i) text += "FF,";
  WriteWholeFile(folder / "hand.txt", text);

  const ToolRun run = RunVrxtool(folder, "normalize " + ShellQuoted(folder / "hand.txt") + " " +
                                             ShellQuoted(folder / "out.vrx"));
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  test::ExpectedKeys keys;
  keys.make[1] = "81,1C";
  keys.brk[1] = "02,F0,1C";
  EXPECT_EQ(ReadWholeFile(folder / "out.vrx"), ExpectedDataFile(keys));
}

TEST(VrxtoolDataFile, NormalizeFailureLeavesTheOutputAlone) {
  ScratchFolder folder;
  WriteWholeFile(folder / "out.vrx", "previous");
  struct Bad {
    std::string contents;
    int message;
  } const bad[] = {
      {"", editor_msg::kFileWrongFormat},
      {"VRX7100 DATA FILE\n12 34\n", editor_msg::kFileReadFailed},
  };
  for (const Bad& input : bad) {
    WriteWholeFile(folder / "in.vrx", input.contents);
    const ToolRun run = RunVrxtool(folder, "normalize " + ShellQuoted(folder / "in.vrx") + " " +
                                               ShellQuoted(folder / "out.vrx"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors, std::string(EditorMessage(input.message)) + "\n");
    EXPECT_EQ(ReadWholeFile(folder / "out.vrx"), "previous");
  }
  const ToolRun missing = RunVrxtool(folder, "normalize " + ShellQuoted(folder / "none.vrx") + " " +
                                                 ShellQuoted(folder / "out.vrx"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.errors, std::string(EditorMessage(editor_msg::kFileOpenFailed)) + "\n");
  EXPECT_EQ(RunVrxtool(folder, "normalize " + ShellQuoted(folder / "in.vrx")).exitCode, 2);
}

// "-" and links to standard output, as a pipeline uses them: the bytes come
// out of the pipe, and the link is still a link afterwards.
TEST(VrxtoolDataFile, StandardOutputTargets) {
  ScratchFolder folder;
  const std::string tool = std::string(VRX_BINARY_DIR) + "/tools/vrxtool";
  const auto captured = folder / "captured";
  const auto pipeTo = [&](const std::string& arguments) {
    const std::string command =
        "cd " + ShellQuoted(folder.path()) + " && " + tool + " " + arguments + " | cat > captured";
    EXPECT_EQ(test::RunShell(command), 0) << arguments;
    return ReadWholeFile(captured);
  };
  EXPECT_EQ(pipeTo("new -"), ExpectedDataFile());

  WriteWholeFile(folder / "in.vrx", ExpectedDataFile());
  EXPECT_EQ(pipeTo("normalize in.vrx -"), ExpectedDataFile());

  std::filesystem::create_symlink("/proc/self/fd/1", folder / "o");
  EXPECT_EQ(pipeTo("new o"), ExpectedDataFile());
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "o"));
  EXPECT_EQ(pipeTo("new /dev/stdout"), ExpectedDataFile());

  // A file literally named "-" is reached as ./-.
  EXPECT_EQ(RunVrxtool(folder, "new " + ShellQuoted(folder / "-")).exitCode, 0);
  EXPECT_EQ(ReadWholeFile(folder / "-"), ExpectedDataFile());
}

}  // namespace
}  // namespace vrx
