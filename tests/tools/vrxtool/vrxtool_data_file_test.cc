#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/message_table.h"
#include "resources/tool_messages.h"
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

// `prefix` goes before the program on the shell's line (a limit, another user).
ToolRun RunVrxtool(const ScratchFolder& folder, const std::string& arguments,
                   const std::string& prefix = "") {
  const auto errors = folder.path().parent_path() / (folder.path().filename().string() + ".err");
  const std::string command = prefix + std::string(VRX_BINARY_DIR) + "/tools/vrxtool " + arguments +
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
  const auto inMissingFolder = folder / "missing" / "x.vrx";
  const ToolRun failed = RunVrxtool(folder, "new " + ShellQuoted(inMissingFolder));
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.errors, inMissingFolder.string() + ": " +
                               std::string(EditorMessage(editor_msg::kFileOpenFailed)) + "\n");
}

// The scripts (demo, screenshots, Windows package and benchmark) copy this
// file instead of patching a fresh one: it must stay exactly what the
// editor saves, and hold what the screenshots show.
TEST(VrxtoolDataFile, TheCheckedInSampleIsAsTheEditorSavesIt) {
  ScratchFolder folder;
  const std::filesystem::path sample = std::string(VRX_SOURCE_DIR) + "/tests/data/sample.vrx";
  const ToolRun run =
      RunVrxtool(folder, "normalize " + ShellQuoted(sample) + " " + ShellQuoted(folder / "n.vrx"));
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(ReadWholeFile(folder / "n.vrx"), ReadWholeFile(sample));
  const std::string text = ReadWholeFile(sample);
  for (const char* line : {"\r\n00,4D //", "\r\n00,0A,1F,1F,1F,0E,04,00 //00\r\n", "\r\n81,1C,FF,",
                           "\r\n03,E0,F0,75,FF,"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
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
    EXPECT_EQ(run.errors, (folder / "in.vrx").string() + ": " +
                              std::string(EditorMessage(input.message)) + "\n");
    EXPECT_EQ(ReadWholeFile(folder / "out.vrx"), "previous");
  }
  const ToolRun missing = RunVrxtool(folder, "normalize " + ShellQuoted(folder / "none.vrx") + " " +
                                                 ShellQuoted(folder / "out.vrx"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.errors, (folder / "none.vrx").string() + ": " +
                                std::string(EditorMessage(editor_msg::kFileOpenFailed)) + "\n");
  EXPECT_EQ(RunVrxtool(folder, "normalize " + ShellQuoted(folder / "in.vrx")).exitCode, 2);
}

// With two files (diff) the user must learn which one could not be read.
TEST(VrxtoolDataFile, AFileThatCannotBeReadIsNamed) {
  ScratchFolder folder;
  const auto present = folder / "present.vrx";
  const auto absent = folder / "absent.vrx";
  ASSERT_EQ(RunVrxtool(folder, "new " + ShellQuoted(present)).exitCode, 0);
  const std::string named =
      absent.string() + ": " + std::string(EditorMessage(editor_msg::kFileOpenFailed)) + "\n";
  for (const std::string& arguments :
       {"show " + ShellQuoted(absent), "diff " + ShellQuoted(present) + " " + ShellQuoted(absent),
        "diff " + ShellQuoted(absent) + " " + ShellQuoted(present),
        "export " + ShellQuoted(absent) + " " + ShellQuoted(folder / "out.json")}) {
    const ToolRun run = RunVrxtool(folder, arguments);
    EXPECT_EQ(run.exitCode, 1) << arguments;
    EXPECT_EQ(run.errors, named) << arguments;
  }
}

TEST(VrxtoolDataFile, AnUnknownCommandIsNamedAndTheCommandsAreListed) {
  ScratchFolder folder;
  const ToolRun run = RunVrxtool(folder, "frobnicate x.vrx");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.errors.rfind("vrxtool: unknown command \"frobnicate\". The commands are:\n", 0), 0u)
      << run.errors;
  for (const char* command : {"new", "show", "diff", "program", "read", "verify", "doctor"})
    EXPECT_NE(run.errors.find("\n  " + std::string(command) + " "), std::string::npos) << command;
  // Options and real commands are left to the parser.
  EXPECT_EQ(RunVrxtool(folder, "--version").exitCode, 0);
  EXPECT_EQ(RunVrxtool(folder, "--frobnicate").exitCode, 2);
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

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Under a file-size limit every output fails the ordinary way: the program's
// message and exit 1, the old file as it was, no temporary file left.
TEST(VrxtoolDataFile, AFileSizeLimitLeavesTheOldFileAndNoTemporary) {
  ScratchFolder folder;
  WriteWholeFile(folder / "in.vrx", ExpectedDataFile());
  const std::string in = ShellQuoted(folder / "in.vrx");
  const struct {
    std::string arguments;
    const char* output;
  } commands[] = {
      {"new", "out.vrx"},          {"normalize " + in, "out.vrx"}, {"export " + in, "out.json"},
      {"render " + in, "out.png"}, {"render " + in, "out.pdf"},    {"render " + in, "out.svg"},
  };
  for (const auto& command : commands) {
    const auto output = folder / command.output;
    WriteWholeFile(output, "previous");
    // 4 KB (dash counts 512-byte blocks), less than any of these outputs.
    const ToolRun run =
        RunVrxtool(folder, command.arguments + " " + ShellQuoted(output), "ulimit -f 8 && ");
    EXPECT_EQ(run.exitCode, 1) << command.arguments << ": " << run.errors;
    EXPECT_FALSE(run.errors.empty()) << command.arguments;
    EXPECT_EQ(ReadWholeFile(output), "previous") << command.arguments;
    EXPECT_EQ(NamesIn(folder.path()), (std::vector<std::string>{"in.vrx", command.output}))
        << command.arguments;
    std::filesystem::remove(output);
  }
}

// Like cp: a file the user may not write is not replaced, and the message
// names it.  Root may write anything, so as root the saver is a scratch user.
TEST(VrxtoolDataFile, AReadOnlyOutputIsRefusedByName) {
  ScratchFolder folder;
  const auto output = folder / "out.vrx";
  WriteWholeFile(output, "previous");
  std::string asUser;
  if (geteuid() == 0) {
    constexpr int kScratchUser = 54322;
    ASSERT_EQ(chown(folder.path().c_str(), kScratchUser, kScratchUser), 0);
    ASSERT_EQ(chown(output.c_str(), kScratchUser, kScratchUser), 0);
    asUser = "exec setpriv --reuid=" + std::to_string(kScratchUser) +
             " --regid=" + std::to_string(kScratchUser) + " --clear-groups ";
  }
  ASSERT_EQ(chmod(output.c_str(), 0444), 0);
  const ToolRun run = RunVrxtool(folder, "new " + ShellQuoted(output), asUser);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.errors, output.string() + ": " + std::string(tool_msg::FileNotWritable()) + "\n");
  EXPECT_EQ(ReadWholeFile(output), "previous");
}

// File names in other encodings than UTF-8 (Latin-1, Shift_JIS), as input
// and as output: the sheet is drawn (its heading shows U+FFFD for what is
// not UTF-8; cairo draws text as outlines, so that is seen on the picture).
TEST(VrxtoolDataFile, RenderTakesNamesThatAreNotUtf8) {
  ScratchFolder folder;
  for (const std::string name : {"caf\xE9", "\x83\x4C\x81\x5B"}) {
    WriteWholeFile(folder / (name + ".vrx"), ExpectedDataFile());
    for (const char* extension : {".svg", ".png", ".pdf"}) {
      const auto output = folder / (name + extension);
      const ToolRun run = RunVrxtool(
          folder, "render " + ShellQuoted(folder / (name + ".vrx")) + " " + ShellQuoted(output));
      EXPECT_EQ(run.exitCode, 0) << extension << ": " << run.errors;
      EXPECT_GT(std::filesystem::file_size(output), 1000u) << extension;
    }
  }
}

}  // namespace
}  // namespace vrx
