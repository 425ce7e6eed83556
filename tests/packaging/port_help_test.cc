// A port that cannot be opened: vrxtool gives the programs' own message and
// then says where the usual causes are explained, and that place exists.
#include <gtest/gtest.h>

#include <filesystem>

#include "resources/message_table.h"
#include "resources/program_usage.h"
#include "tests/packaging/help_text.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"

namespace vrx::test {
namespace {

namespace fs = std::filesystem;

TEST(PortOpenHelp, VrxtoolPointsToTheSerialPortHelpAfterThePortMessage) {
  const ScratchFolder folder("vrx-port-help");
  const fs::path& dir = folder.path();
  const std::string data = (dir / "x.vrx").string();
  ASSERT_EQ(RunProcess({VRXTOOL_PATH, "new", data}).exitCode, 0);
  const std::string missing = (dir / "no-such-port").string();
  const std::vector<std::string> env{"XDG_CONFIG_HOME=" + dir.string()};

  const ProcessResult lcd = RunProcess({VRXTOOL_PATH, "lcd-test", data, "--port", missing}, env);
  EXPECT_EQ(lcd.exitCode, 1);
  // The message, the cause of this failure, then the pointer to the help.
  EXPECT_EQ(lcd.err.rfind(std::string(EditorMessage(editor_msg::kPortOpenFailed)) + "\n", 0), 0u)
      << lcd.err;
  EXPECT_TRUE(lcd.err.ends_with("\n" + std::string(PortOpenHint()) + "\n")) << lcd.err;

  const ProcessResult write = RunProcess(
      {VRXTOOL_PATH, "program", data, "--port", missing, "--container", VRXWRITER_PATH}, env);
  EXPECT_EQ(write.exitCode, 1);
  // The writer logs this failure on stdout; stderr has the message that
  // ended the run too, then the pointer to the help.
  EXPECT_NE(write.out.find(WriterMessage(writer_msg::kPortOpenFailed)), std::string::npos)
      << write.out;
  EXPECT_NE(write.err.find(WriterMessage(writer_msg::kPortOpenFailed)), std::string::npos)
      << write.err;
  EXPECT_TRUE(write.err.ends_with("\n" + std::string(PortOpenHint()) + "\n")) << write.err;
}

TEST(PortOpenHelp, TheGuideAndManualPagesCoverTheUsualCauses) {
  const std::string source = VRX_SOURCE_DIR;
  const std::string part = ReadText(source + "/docs/man/serial-ports.scd.part");
  const std::string guide = ReadText(source + "/docs/ports.md");
  for (const char* cause : {"dialout", "ModemManager", "brltty"}) {
    EXPECT_NE(part.find(cause), std::string::npos) << cause;
    EXPECT_NE(guide.find(cause), std::string::npos) << cause;
  }
  for (const std::string& text : {std::string(EditorMessage(editor_msg::kPortOpenFailed)),
                                  std::string(WriterMessage(writer_msg::kPortOpenFailed))}) {
    EXPECT_NE(part.find(text), std::string::npos) << text;
    EXPECT_NE(guide.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace vrx::test
