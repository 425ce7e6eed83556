// The writer's command line over argument vectors as the platform delivers
// them (quotes already removed by the platform's splitting).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "writer/command_line.h"

namespace {

using vrx::ParseWriterCommandLine;
using vrx::SlashArguments;
using vrx::StartCommand;

vrx::WriterCommandLine Parse(std::vector<std::string> arguments,
                             SlashArguments slash = SlashArguments::kAlwaysSwitches) {
  arguments.insert(arguments.begin(), "VRXWriter");
  return ParseWriterCommandLine(arguments, slash);
}

TEST(WriterCommandLine, PathFromTheEditor) {
  // The editor quotes a path with spaces; the platform hands it over whole.
  const auto line = Parse({"C:\\My Data\\keyboard one.vrx"});
  EXPECT_EQ(line.command, StartCommand::kOpen);
  EXPECT_EQ(vrx::StartupFilePath(line), "C:\\My Data\\keyboard one.vrx");
}

TEST(WriterCommandLine, NothingToOpen) {
  EXPECT_EQ(Parse({}).command, StartCommand::kNone);
  // An empty quoted argument (an editor file never saved) is no path.
  const auto empty = Parse({""});
  EXPECT_EQ(empty.command, StartCommand::kNone);
  EXPECT_EQ(vrx::StartupFilePath(empty), "");
  // ...and does not hide a later path.
  EXPECT_EQ(vrx::StartupFilePath(Parse({"", "b.vrx"})), "b.vrx");
}

TEST(WriterCommandLine, FirstPathWinsLaterOnesIgnored) {
  const auto line = Parse({"a.vrx", "b.vrx"});
  EXPECT_EQ(line.command, StartCommand::kOpen);
  EXPECT_EQ(line.filePath, "a.vrx");
}

TEST(WriterCommandLine, SwitchesThatSelectAnotherCommandKeepThePathOut) {
  for (const char* other :
       {"/p", "-p", "/pt", "-dde", "/Unregister", "-UNREGISTER", "/unregserver", "-UnRegServer"}) {
    SCOPED_TRACE(other);
    const auto before = Parse({other, "a.vrx"});
    EXPECT_EQ(before.command, StartCommand::kOther);
    EXPECT_EQ(vrx::StartupFilePath(before), "");
    // The switch counts wherever it stands.
    EXPECT_EQ(Parse({"a.vrx", other}).command, StartCommand::kOther);
  }
}

TEST(WriterCommandLine, PrintAndDdeSwitchesAreCaseSensitive) {
  for (const char* other : {"/P", "/PT", "/Pt", "-DDE", "/Dde"}) {
    SCOPED_TRACE(other);
    const auto line = Parse({other, "a.vrx"});
    EXPECT_EQ(line.command, StartCommand::kOpen);
    EXPECT_EQ(line.filePath, "a.vrx");
  }
}

TEST(WriterCommandLine, OtherSwitchesChangeNothingAndAreNeverAPath) {
  for (const char* harmless : {"/Embedding", "-automation", "/x", "-", "/"}) {
    SCOPED_TRACE(harmless);
    EXPECT_EQ(Parse({harmless}).command, StartCommand::kNone);
    const auto line = Parse({harmless, "a.vrx"});
    EXPECT_EQ(line.command, StartCommand::kOpen);
    EXPECT_EQ(line.filePath, "a.vrx");
  }
}

TEST(WriterCommandLine, PosixAbsolutePathsAreNotSwitches) {
  const SlashArguments posix = SlashArguments::kKnownSwitchesOnly;
  const auto line = Parse({"/home/user/my keys.vrx"}, posix);
  EXPECT_EQ(line.command, StartCommand::kOpen);
  EXPECT_EQ(line.filePath, "/home/user/my keys.vrx");
  // The known switch names keep their meaning with a slash.
  EXPECT_EQ(Parse({"/p", "/home/user/a.vrx"}, posix).command, StartCommand::kOther);
  EXPECT_EQ(Parse({"/Embedding", "/home/a.vrx"}, posix).filePath, "/home/a.vrx");
  // A dash still always starts a switch.
  EXPECT_EQ(Parse({"-x"}, posix).command, StartCommand::kNone);
}

}  // namespace
