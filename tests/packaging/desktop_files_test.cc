// The desktop integration files pass the freedesktop validators, the .vrx
// type builds into a MIME database, and bash completes vrxtool's commands
// and options from its --help.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "tests/packaging/help_text.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"

namespace vrx::test {
namespace {

namespace fs = std::filesystem;

const std::string kLinuxDir = std::string(VRX_SOURCE_DIR) + "/packaging/linux/";
const std::vector<std::string> kAppIds{"com.zentrolith.VRXEditor", "com.zentrolith.VRXWriter"};

TEST(DesktopFiles, PassDesktopFileValidate) {
  const std::string validate = SystemProgram("desktop-file-validate");
  if (validate.empty()) GTEST_SKIP() << "desktop-file-utils not installed";
  for (const std::string& id : kAppIds) {
    const ProcessResult result = RunProcess({validate, kLinuxDir + id + ".desktop"});
    EXPECT_EQ(result.exitCode, 0) << id << ": " << result.out << result.err;
    EXPECT_EQ(result.out + result.err, "") << id;
  }
}

TEST(DesktopFiles, MetainfoPassesAppstreamValidation) {
  const std::string appstreamcli = SystemProgram("appstreamcli");
  if (appstreamcli.empty()) GTEST_SKIP() << "appstream not installed";
  for (const std::string& id : kAppIds) {
    const std::string file = std::string(VRX_METAINFO_BUILD_DIR) + "/" + id + ".metainfo.xml";
    ASSERT_TRUE(fs::exists(file)) << file;
    EXPECT_NE(ReadText(file).find("version=\"" VRX_VERSION "\""), std::string::npos);
    const ProcessResult result = RunProcess({appstreamcli, "validate", "--no-net", file});
    EXPECT_EQ(result.exitCode, 0) << id << ": " << result.out << result.err;
  }
}

TEST(DesktopFiles, VrxTypeBuildsIntoAMimeDatabaseByNameAndFirstLine) {
  const std::string update = SystemProgram("update-mime-database");
  if (update.empty()) GTEST_SKIP() << "shared-mime-info not installed";
  const ScratchFolder dir("vrx-pkg-test");
  const fs::path mime = dir.path() / "mime";
  fs::create_directories(mime / "packages");
  fs::copy_file(kLinuxDir + "vrx7100-tools.xml", mime / "packages" / "vrx7100-tools.xml");
  const ProcessResult result = RunProcess({update, "-V", mime.string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err.find("Warning"), std::string::npos) << result.err;
  EXPECT_TRUE(fs::exists(mime / "application" / "x-vrx.xml"));
  EXPECT_NE(ReadText(mime / "globs2").find("application/x-vrx:*.vrx"), std::string::npos);
  EXPECT_NE(ReadText(mime / "magic").find("VRX7100 DATA FILE"), std::string::npos);
  EXPECT_NE(ReadText(mime / "subclasses").find("application/x-vrx text/plain"), std::string::npos);
}

// What bash offers after typing `line` (completion at its end).
std::vector<std::string> Complete(const std::string& line) {
  const std::string script =
      "source /usr/share/bash-completion/bash_completion\n"
      "source \"$1\"\n"
      "COMP_LINE=\"$2\"; COMP_POINT=${#COMP_LINE}\n"
      "read -ra COMP_WORDS <<<\"$2\"\n"
      "[[ $2 == *' ' ]] && COMP_WORDS+=('')\n"
      "COMP_WORDS[0]=\"$3\"\n"
      "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
      "_vrxtool vrxtool \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD-1]}\"\n"
      "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
  const ProcessResult result =
      RunProcess({SystemProgram("bash"), "-c", script, "bash",
                  kLinuxDir + "vrxtool.bash-completion", line, VRXTOOL_PATH});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  std::vector<std::string> words;
  std::istringstream lines(result.out);
  for (std::string word; std::getline(lines, word);)
    if (!word.empty()) words.push_back(word);
  return words;
}

TEST(BashCompletion, OffersVrxtoolsCommandsOptionsAndPortNames) {
  if (!fs::exists("/usr/share/bash-completion/bash_completion"))
    GTEST_SKIP() << "bash-completion not installed";
  using V = std::vector<std::string>;
  EXPECT_EQ(Complete("vrxtool pro"), V{"program"});
  EXPECT_EQ(Complete("vrxtool n"), (V{"new", "normalize"}));
  EXPECT_EQ(Complete("vrxtool --v"), V{"--version"});
  EXPECT_EQ(Complete("vrxtool program x.vrx --p"), (V{"--port", "--ports"}));
  // A range of ports is typed, never a file.
  EXPECT_EQ(Complete("vrxtool program x.vrx --ports "), V{});
  EXPECT_EQ(Complete("vrxtool lcd-test --port COM"),
            (V{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}));
  EXPECT_EQ(Complete("vrxtool program --speed "), (V{"0", "1", "2", "3", "4", "5"}));
  // Options of one command are not offered for another.
  EXPECT_EQ(Complete("vrxtool pack --c"), V{});
}

}  // namespace
}  // namespace vrx::test
