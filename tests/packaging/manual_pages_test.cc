// The manual pages (and vrxtool's guide) describe what the programs' --help
// offers, every command and option of it, render without warnings, and
// carry the same version as --version.
#include <gtest/gtest.h>

#include "tests/packaging/help_text.h"
#include "tests/support/child_process.h"

namespace vrx::test {
namespace {

struct Program {
  std::string name;
  std::string path;
};

const std::vector<Program> kPrograms{{"vrxtool", VRXTOOL_PATH},
                                     {"vrxsim", VRXSIM_PATH},
                                     {"VRXEditor", VRXEDITOR_PATH},
                                     {"VRXWriter", VRXWRITER_PATH}};

std::string ManSource(const std::string& program) {
  return ReadText(std::string(VRX_SOURCE_DIR) + "/docs/man/" + program + ".1.scd");
}

std::string Help(const std::vector<std::string>& argv) {
  const ProcessResult result = RunProcess(argv);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return result.out;
}

// The man source's text from the heading "## <command>" to the next heading.
std::string CommandSection(const std::string& man, const std::string& command) {
  // A command without arguments has a heading of its name alone.
  std::string heading = "\n## " + command + " ";
  std::size_t start = man.find(heading);
  if (start == std::string::npos) start = man.find(heading = "\n## " + command + "\n");
  if (start == std::string::npos) return {};
  const std::size_t end = man.find("\n#", start + heading.size());
  return man.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(ManualPages, NameEveryOptionOfEachProgramsHelp) {
  for (const Program& program : kPrograms) {
    SCOPED_TRACE(program.name);
    const std::string man = ManSource(program.name);
    ASSERT_FALSE(man.empty());
    for (const std::string& option : LongOptions(Help({program.path, "--help"})))
      EXPECT_NE(man.find("*" + option + "*"), std::string::npos) << option << " is not described";
  }
}

TEST(ManualPages, VrxtoolHasASectionForEveryCommandWithItsOptions) {
  const std::string man = ManSource("vrxtool");
  const std::string topHelp = Help({VRXTOOL_PATH, "--help"});
  const auto commands = HelpSectionWords(topHelp, "Subcommands");
  const auto topOptions = LongOptions(topHelp);  // described once, not per command
  ASSERT_GE(commands.size(), 6u);
  for (const std::string& command : commands) {
    SCOPED_TRACE(command);
    const std::string section = CommandSection(man, command);
    ASSERT_FALSE(section.empty()) << "no \"## " << command << " ...\" section";
    for (const std::string& option : LongOptions(Help({VRXTOOL_PATH, command, "--help"}))) {
      if (topOptions.contains(option)) continue;
      EXPECT_NE(section.find("*" + option + "*"), std::string::npos)
          << option << " is not described under " << command;
    }
  }
}

// docs/vrxtool.md's table has a row for every command --help lists, and
// the exit statuses main.cc uses.
TEST(ManualPages, VrxtoolGuideListsEveryCommandAndExitStatus) {
  const std::string guide = ReadText(std::string(VRX_SOURCE_DIR) + "/docs/vrxtool.md");
  ASSERT_FALSE(guide.empty());
  const auto commands = HelpSectionWords(Help({VRXTOOL_PATH, "--help"}), "Subcommands");
  ASSERT_GE(commands.size(), 6u);
  for (const std::string& command : commands) {
    EXPECT_TRUE(guide.find("\n| `" + command + " ") != std::string::npos ||
                guide.find("\n| `" + command + "`") != std::string::npos)
        << command << " has no row in docs/vrxtool.md";
  }
  for (const char* status : {"0 ", "1 ", "2 ", "130 "})
    EXPECT_NE(guide.find("\n| " + std::string(status)), std::string::npos)
        << "exit status " << status;
}

TEST(ManualPages, RenderWithoutWarningsAndShowTheVersion) {
  for (const Program& program : kPrograms) {
    SCOPED_TRACE(program.name);
    const std::string page = std::string(VRX_MAN_BUILD_DIR) + "/" + program.name + ".1.gz";
    const std::string man = SystemProgram("man");
    if (man.empty()) GTEST_SKIP() << "man-db not installed";
    const ProcessResult rendered =
        RunProcess({man, "--warnings=all", "--local-file", page}, {"MANWIDTH=80"});
    EXPECT_EQ(rendered.exitCode, 0) << rendered.err;
    EXPECT_EQ(rendered.err, "");
    EXPECT_NE(rendered.out.find("vrx7100-tools " VRX_VERSION), std::string::npos);
    EXPECT_EQ(rendered.out.find("@PROJECT_VERSION@"), std::string::npos);
    EXPECT_EQ(rendered.out.find("@VRX_"), std::string::npos);
  }
}

TEST(ProgramVersion, EveryProgramReportsTheProjectVersion) {
  for (const Program& program : kPrograms) {
    const ProcessResult result = RunProcess({program.path, "--version"});
    EXPECT_EQ(result.exitCode, 0) << program.name << ": " << result.err;
    EXPECT_EQ(result.out, program.name + " " VRX_VERSION "\n");
  }
}

TEST(ProgramVersion, WindowProgramsAnswerHelpWithoutADisplay) {
  for (const Program& program : {kPrograms[2], kPrograms[3]}) {
    const ProcessResult result = RunProcess(
        {SystemProgram("env"), "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", program.path, "--help"});
    EXPECT_EQ(result.exitCode, 0) << program.name << ": " << result.err;
    EXPECT_EQ(result.out.rfind("Usage: " + program.name + " [FILE.vrx]\n", 0), 0u) << result.out;
  }
}

}  // namespace
}  // namespace vrx::test
