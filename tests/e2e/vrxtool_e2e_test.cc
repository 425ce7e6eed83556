// vrxtool program and vrxtool lcd-test as a user runs them: processes
// against the simulated module, with exact standard output and exit codes.
#include <gtest/gtest.h>

#include <signal.h>

#include <fstream>
#include <sstream>

#include "resources/message_table.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"
#include "tests/support/expected_conversation.h"

namespace vrx::test {
namespace {


// vrxtool writes the log with LF line ends.
std::string WithLf(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(VrxtoolEndToEnd, ProgramThroughAMappedPortNameIntoVrxsim) {
  WriteFiles files;
  const auto link = files.dir / "vrx-module";
  const auto flashFile = files.dir / "module.bin";
  BackgroundProcess sim({kVrxsim, "--link", link.string(), "--flash", flashFile.string()});
  ASSERT_FALSE(sim.ReadLine().empty());
  std::ofstream(files.dir / "ports.conf") << "# the simulator\nCOM3=" << link.string() << "\n";
  const std::vector<std::string> env{"VRX_PORT_MAP=" + (files.dir / "ports.conf").string(),
                                     "XDG_CONFIG_HOME=" + (files.dir / "config").string()};

  const ProcessResult result =
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", "COM3", "--speed", "1",
                  "--container", files.container.string()},
                 env, std::chrono::minutes(3));

  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "\nkeys.vrx ファイルを正常にロードしました。\n" + WithLf(ExpectedSuccessLog(true)));
  EXPECT_EQ(result.err, "");
  const std::string profile = ReadText(files.dir / "config" / "Zentrolith" / "VRXWriter.conf");
  EXPECT_NE(profile.find("COM=COM3"), std::string::npos) << profile;
  EXPECT_NE(profile.find("BAUD=1"), std::string::npos) << profile;

  // vrxsim saved what was programmed when the port was closed.
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  std::string error;
  const auto flash = sim::FlashMemory::Load(flashFile, error);
  ASSERT_TRUE(flash) << error;
  EXPECT_TRUE(std::equal(files.firmware.begin(), files.firmware.begin() + 0x400, flash->begin()));
  EXPECT_TRUE(
      std::equal(files.firmware.begin() + 0x1000, files.firmware.end(), flash->begin() + 0x1000));
}

// The writer's port list holds COM names only: a Write through a device
// path leaves the remembered COM name alone, and a profile spoilt by an
// older vrxtool is reported by doctor.
TEST(VrxtoolEndToEnd, ProgramThroughADevicePathRemembersOnlyTheSpeed) {
  WriteFiles files;
  auto simulator = StartSimulator({});
  const auto folder = files.dir / "config" / "Zentrolith";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "VRXWriter.conf") << "[Option]\nCOM=COM2\nBAUD=4\n";
  const std::vector<std::string> env{"XDG_CONFIG_HOME=" + (files.dir / "config").string()};

  const ProcessResult result =
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                  "--speed", "3", "--container", files.container.string()},
                 env, std::chrono::minutes(3));
  EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
  const std::string profile = ReadText(folder / "VRXWriter.conf");
  EXPECT_NE(profile.find("COM=COM2\n"), std::string::npos) << profile;
  EXPECT_NE(profile.find("BAUD=3\n"), std::string::npos) << profile;

  std::ofstream(folder / "VRXWriter.conf")
      << "[Option]\nCOM=" << simulator->DevicePath() << "\nBAUD=4\n";
  const ProcessResult doctor = RunProcess({kVrxtool, "doctor"}, env);
  EXPECT_NE(doctor.out.find("warning VRXWriter remembers the port \"" + simulator->DevicePath() +
                            "\", which is not a COM name; it is taken as no port\n"),
            std::string::npos)
      << doctor.out;
}

// A writer whose payload was cut off still ends in a trailer of length 0:
// programming it would erase the module's firmware.  The Write stops before
// the port is opened; vrxtool image still builds the (blank) image.
TEST(VrxtoolEndToEnd, ProgramRefusesAnEmptyPayloadBeforeOpeningThePort) {
  WriteFiles files;
  const auto stripped = files.dir / "stripped";
  std::vector<uint8_t> bytes(1000, 0x90);
  bytes.resize(bytes.size() + 12, 0x00);  // key, reserved byte, length 0
  std::ofstream(stripped, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  auto simulator = StartSimulator({});
  const std::vector<std::string> env{"XDG_CONFIG_HOME=" + (files.dir / "config").string()};

  const ProcessResult result =
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                  "--container", stripped.string()},
                 env);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "実行時にエラーが発生しました。 #2\n");
  EXPECT_EQ(result.out, "\n### 実行を停止しました。");  // the stop line ends the log
  EXPECT_TRUE(simulator->CurrentTranscript().empty()) << "the port was opened";
  EXPECT_FALSE(std::filesystem::exists(files.dir / "config" / "Zentrolith" / "VRXWriter.conf"));

  const ProcessResult image =
      RunProcess({kVrxtool, "image", files.dataFile.string(), (files.dir / "flash.bin").string(),
                  "--container", stripped.string()});
  EXPECT_EQ(image.exitCode, 0) << image.err;
}

TEST(VrxtoolEndToEnd, ProgramThatFailsExitsOneWithTheLogAndNoProfile) {
  WriteFiles files;
  auto simulator = StartSimulator(WithFaults({"erase=0x03"}));
  simulator->TakeTranscript();
  const ProcessResult result =
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                  "--container", files.container.string()},
                 {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});

  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, WithLf("\r\nkeys.vrx ファイルを正常にロードしました。\r\n" +
                               std::string("\r\n接続完了\r\n\r\nブロック0を消去中．．．") +
                               FailureTail("フラッシュの消去でエラーが発生しました。")));
  EXPECT_FALSE(std::filesystem::exists(files.dir / "config" / "Zentrolith" / "VRXWriter.conf"));
}

TEST(VrxtoolEndToEnd, LcdTestShowsTheFileCharactersOnVrxsim) {
  WriteFiles files;
  BackgroundProcess sim({kVrxsim, "--lcd"});
  const std::string path = sim.ReadLine();
  ASSERT_FALSE(path.empty());

  const ProcessResult result =
      RunProcess({kVrxtool, "lcd-test", files.dataFile.string(), "--port", path, "--speed", "5"});

  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  std::vector<std::string> art;
  for (int line = 0; line < 11; ++line) art.push_back(sim.ReadLine());
  ASSERT_EQ(art.size(), 11u);
  EXPECT_NE(art[0].find("display on, cursor"), std::string::npos) << art[0];
  EXPECT_EQ(art[1].rfind("|##### ..... ", 0), 0u) << art[1];  // character 0, row 0
  // Character 7, row 7, then blank positions.
  EXPECT_EQ(art[8].rfind("|..... ..... ..... ..... ..... ..... ..... #.#.#      ", 0), 0u)
      << art[8];
}

// Every device command puts the message that ended it on stderr; program
// has it in its log on stdout as well.
TEST(VrxtoolEndToEnd, ProgramPutsItsFailureOnStderrToo) {
  WriteFiles files;
  const auto bad = files.dir / "bad.vrx";
  std::ofstream(bad) << "not a data file\n";
  const ProcessResult result =
      RunProcess({kVrxtool, "program", bad.string(), "--port", "/dev/vrx-none", "--container",
                  files.container.string()},
                 {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});
  const std::string message(vrx::WriterMessage(vrx::writer_msg::kFileWrongFormat));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.out.find(message), std::string::npos) << result.out;
  EXPECT_EQ(result.err, message + "\n");
}

TEST(VrxtoolEndToEnd, LcdTestWithASilentModuleGivesTheEditorMessage) {
  WriteFiles files;
  auto simulator = StartSimulator(WithFaults({"lcd=silentx*"}));
  const ProcessResult result = RunProcess(
      {kVrxtool, "lcd-test", files.dataFile.string(), "--port", simulator->DevicePath()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "通信エラーが発生しました。デバイスをリセットして、接続を確認してください。\n");
  EXPECT_EQ(sim::HostBytes(simulator->TakeTranscript()), std::vector<uint8_t>{0xD5});
}

}  // namespace
}  // namespace vrx::test
