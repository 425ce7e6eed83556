// vrxtool against vrxsim when things go wrong around the port: a write
// stopped by a signal (and the write after it), ports that cannot be opened
// or are held by others, and the port listing and machine check.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "resources/program_usage.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"

namespace vrx::test {
namespace {

using ::testing::HasSubstr;


// The next line of `process` that contains `text`; false if none came.
bool WaitForLine(BackgroundProcess& process, const std::string& text) {
  for (int lines = 0; lines < 50; ++lines) {
    const std::string line = process.ReadLine(std::chrono::seconds(20));
    if (line.find(text) != std::string::npos) return true;
    if (line.empty() && lines > 10) return false;
  }
  return false;
}

bool FlashHolds(const std::filesystem::path& flashFile, const std::vector<uint8_t>& firmware) {
  std::string error;
  const auto flash = sim::FlashMemory::Load(flashFile, error);
  if (!flash) return false;
  return std::equal(firmware.begin(), firmware.begin() + 0x400, flash->begin()) &&
         std::equal(firmware.begin() + 0x1000, firmware.end(), flash->begin() + 0x1000);
}

class InterruptedProgram : public ::testing::TestWithParam<int> {};

TEST_P(InterruptedProgram, StopsCleanlyAndTheNextProgramSucceeds) {
  const int signal = GetParam();
  WriteFiles files;
  const auto link = files.dir / "vrx-module";
  const auto flashFile = files.dir / "module.bin";
  // Killed outright, the writer may leave the module inside a record; only
  // a forgiving module (or a power cycle) takes the next Write then.
  std::vector<std::string> simArguments{kVrxsim, "--link", link.string(), "--flash",
                                        flashFile.string()};
  if (signal == SIGKILL) simArguments.push_back("--forgiving");
  BackgroundProcess sim(simArguments);
  ASSERT_FALSE(sim.ReadLine().empty());
  const std::string config = "XDG_CONFIG_HOME=" + (files.dir / "config").string();
  const std::vector<std::string> program{
      kVrxtool,      "program",     files.dataFile.string(), "--port",
      link.string(), "--container", files.container.string()};

  std::vector<std::string> interrupted{"/usr/bin/env", config};
  interrupted.insert(interrupted.end(), program.begin(), program.end());
  BackgroundProcess first(interrupted);
  ASSERT_TRUE(WaitForLine(first, "接続完了"));
  const int code = first.Stop(signal, std::chrono::seconds(10));
  if (signal == SIGKILL) {
    EXPECT_EQ(code, -1);
  } else {
    EXPECT_EQ(code, 130);
    EXPECT_EQ(first.ReadAllErr(), "中断しました。\n");
    std::string rest;
    for (int lines = 0; lines < 30; ++lines)  // blank lines read as "" too
      rest += first.ReadLine(std::chrono::milliseconds(100)) + "\n";
    EXPECT_THAT(rest, HasSubstr("中断しました。\n処理を中止します。\n")) << rest;
  }

  const ProcessResult second = RunProcess(program, {config}, std::chrono::minutes(3));
  EXPECT_EQ(second.exitCode, 0) << second.out << second.err;
  EXPECT_THAT(second.out, HasSubstr("書き込みは正常に終了しました。"));
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  EXPECT_TRUE(FlashHolds(flashFile, files.firmware));
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedProgram,
                         ::testing::Values(SIGINT, SIGTERM, SIGHUP, SIGKILL),
                         [](const ::testing::TestParamInfo<int>& param) {
                           return std::string(sigabbrev_np(param.param));
                         });

class PortTrouble : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(map_) << "COM4=/dev/vrx-unplugged\n"; }
  ProcessResult Run(std::vector<std::string> arguments,
                    std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    arguments.insert(arguments.begin(), kVrxtool);
    return RunProcess(
        arguments,
        {"VRX_PORT_MAP=" + map_.string(), "XDG_CONFIG_HOME=" + (files_.dir / "config").string()},
        limit);
  }
  std::vector<std::string> Program(const std::string& port) {
    return {"program",     files_.dataFile.string(), "--port", port,
            "--container", files_.container.string()};
  }

  WriteFiles files_;
  std::filesystem::path map_ = files_.dir / "ports.conf";
};

TEST_F(PortTrouble, TheCauseFollowsThePortMessage) {
  ProcessResult missing = Run(Program("COM4"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_THAT(missing.out, HasSubstr("\n通信ポートのオープンに失敗しました。\n"
                                     "/dev/vrx-unplugged がありません。接続を確認してください。\n"
                                     "処理を中止します。\n"));

  ProcessResult unmapped = Run({"lcd-test", files_.dataFile.string(), "--port", "COM42"});
  EXPECT_EQ(unmapped.exitCode, 1);
  EXPECT_EQ(unmapped.err,
            "COMポートが開けません。\nCOM42 はどのデバイスにも割り当てられていません (" +
                map_.string() + " を参照)。\n" + std::string(vrx::PortOpenHint()) + "\n");

  // read and verify word it as program does, on stderr, and read never
  // creates its output.
  const std::string backup = (files_.dir / "backup.bin").string();
  const std::string hint = std::string(vrx::PortOpenHint()) + "\n";
  for (const auto& [port, cause] :
       {std::pair<std::string, std::string>{"COM4",
                                            "/dev/vrx-unplugged がありません。"
                                            "接続を確認してください。"},
        {"", "ポートが選択されていません。"}}) {
    const ProcessResult read = Run({"read", backup, "--port", port});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_EQ(read.err, "通信ポートのオープンに失敗しました。\n" + cause + "\n" + hint);
    EXPECT_FALSE(std::filesystem::exists(backup));
    const ProcessResult verify = Run({"verify", files_.dataFile.string(), "--port", port,
                                      "--container", files_.container.string()});
    EXPECT_EQ(verify.exitCode, 1);
    EXPECT_EQ(verify.err, "通信ポートのオープンに失敗しました。\n" + cause + "\n" + hint);
  }
}

TEST_F(PortTrouble, ASpeedOutsideTheListIsAUsageError) {
  for (const char* speed : {"6", "-1", "x"}) {
    auto arguments = Program("COM4");
    arguments.insert(arguments.end(), {"--speed", speed});
    const ProcessResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 2) << speed;
    EXPECT_THAT(result.err, HasSubstr("--speed")) << speed;
    EXPECT_EQ(result.out, "") << speed;
  }
  const ProcessResult lcd =
      Run({"lcd-test", files_.dataFile.string(), "--port", "COM4", "--speed", "9"});
  EXPECT_EQ(lcd.exitCode, 2);
}

// A program that opened the port without any lock: nothing answers, and
// the user learns who else has the port.
TEST_F(PortTrouble, ASilentPortNamesTheOtherProcess) {
  BackgroundProcess holder({"/usr/bin/python3", "-c",
                            "import os, pty, time\n"
                            "m, s = pty.openpty()\n"
                            "print(os.ttyname(s), flush=True)\n"
                            "time.sleep(60)\n"});
  const std::string port = holder.ReadLine();
  ASSERT_FALSE(port.empty());
  const ProcessResult result = Run(Program(port));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.out, HasSubstr("\nデバイスと通信ができません。\n" + port + " はプロセス " +
                                    std::to_string(holder.pid()) +
                                    " (python3) も開いています。\n"
                                    "処理を中止します。\n"));
}

TEST_F(PortTrouble, PortsAndDoctorShowTheMapAndWhoHoldsAPort) {
  const auto link = files_.dir / "vrx-module";
  BackgroundProcess sim({kVrxsim, "--link", link.string()});
  ASSERT_FALSE(sim.ReadLine().empty());
  // COM5 names a device in Latin-1, which the JSON must still carry as valid UTF-8.
  std::ofstream(map_) << "COM3=" << link.string()
                      << "\nCOM4=/dev/vrx-unplugged\nCOM5=/dev/vrx-\xE9t\xE9\n";
  BackgroundProcess holder({"/bin/sh", "-c", "echo ready; exec sleep 60 < " + link.string()});
  ASSERT_EQ(holder.ReadLine(), "ready");

  ProcessResult json;
  EventuallyTrue([&] {  // until sleep has taken the shell's place
    json = Run({"ports", "--json"});
    return json.out.find("\"sleep\"") != std::string::npos;
  });
  EXPECT_EQ(json.exitCode, 0);
  const nlohmann::json ports = nlohmann::json::parse(json.out);  // throws on bad UTF-8
  const auto named = [&ports](const std::string& name) {
    for (const auto& port : ports)
      if (port["names"] == nlohmann::json::array({name})) return port;
    return nlohmann::json();
  };
  EXPECT_EQ(named("COM3")["device"], link.string());
  EXPECT_EQ(named("COM3")["exists"], true);
  EXPECT_EQ(named("COM3")["held_by"],
            nlohmann::json::parse("[{\"pid\": " + std::to_string(holder.pid()) +
                                  ", \"command\": \"sleep\"}]"));
  EXPECT_EQ(named("COM4")["device"], "/dev/vrx-unplugged");
  EXPECT_EQ(named("COM4")["exists"], false);
  EXPECT_EQ(named("COM5")["device"], "/dev/vrx-\uFFFDt\uFFFD");

  const ProcessResult text = Run({"ports"});
  EXPECT_THAT(text.out, HasSubstr("COM3  " + link.string() + "\n"));
  EXPECT_THAT(text.out, HasSubstr("    held by  " + std::to_string(holder.pid()) + " (sleep)\n"));
  EXPECT_THAT(text.out, HasSubstr("COM4  /dev/vrx-unplugged  (missing)\n"));

  const ProcessResult doctor = Run({"doctor"});
  EXPECT_THAT(doctor.out,
              HasSubstr("warning " + map_.string() + ": COM4=/dev/vrx-unplugged does not exist\n"));
  const bool problem =
      doctor.out.rfind("problem ", 0) == 0 || doctor.out.find("\nproblem ") != std::string::npos;
  EXPECT_EQ(doctor.exitCode, problem ? 1 : 0) << doctor.out;

  for (const char* command : {"ports", "doctor"}) {
    const ProcessResult help = Run({command, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.out, HasSubstr("Example:\n  vrxtool " + std::string(command)));
  }
}

}  // namespace
}  // namespace vrx::test
