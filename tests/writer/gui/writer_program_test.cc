// The built VRXWriter as a user starts it: path from the command line,
// profile from the config folder, Enter presses 書込み, Escape ends it.
// Driven through the X server with xdotool, against the simulated module.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/gui/event_pump.h"
#include "tests/writer/gui/writer_dialog_fixture.h"
#include "tools/vrxsim/simulator.h"

namespace fs = std::filesystem;

namespace vrx::test {
namespace {

std::string ReadText(const fs::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Xdotool(const std::string& arguments) {
  return ::vrx::test::RunShell("xdotool " + arguments + " >/dev/null 2>&1") == 0;
}

// Waits for the child; kills it if it does not end in time.
// `nudge`, when given, runs every second meanwhile.
int WaitForExit(pid_t child, const std::function<void()>& nudge = {}) {
  int status = 0;
  const auto start = std::chrono::steady_clock::now();
  auto nextNudge = start;
  while (waitpid(child, &status, WNOHANG) == 0) {
    const auto now = std::chrono::steady_clock::now();
    if (nudge && now >= nextNudge) {
      nudge();
      nextNudge = now + std::chrono::seconds(1);
    }
    if (now > start + std::chrono::seconds(30)) {  // generous: a busy machine is slow
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WriterProgram, WritesTheFileNamedOnItsCommandLineAndRemembersThePort) {
  if (::vrx::test::RunShell("command -v xdotool >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "needs xdotool";
  ScratchFolder dir;
  std::string error;
  auto module = sim::Simulator::Start({}, error);
  ASSERT_NE(module, nullptr) << error;
  const fs::path data = WriteSampleDataFile(dir.path(), "my keys.vrx");
  std::ofstream(dir.path() / "ports.conf") << "COM2=" << module->DevicePath() << "\n";
  const fs::path config = dir.path() / "config";
  fs::create_directories(config / "Zentrolith");
  std::ofstream(config / "Zentrolith" / "VRXWriter.conf") << "[Option]\nCOM=com2\nBAUD=3\n";

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("VRX_PORT_MAP", (dir.path() / "ports.conf").c_str(), 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    const std::string program = PackedWriter().string();
    execl(program.c_str(), program.c_str(), data.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string window = "$(xdotool search --sync --onlyvisible --pid " +
                             std::to_string(child) + " --name '^VRXWriter$' | head -n 1)";
  ASSERT_TRUE(Xdotool("windowfocus --sync " + window)) << "no VRXWriter window";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(Xdotool("key --window " + window + " Return"));  // 書込み has the focus

  const fs::path profile = config / "Zentrolith" / "VRXWriter.conf";
  const bool written =
      PumpUntil([&] { return ReadText(profile).find("COM=COM2") != std::string::npos; },
                std::chrono::seconds(90));
  // The Write stores the profile just before its last log line, and a key
  // given before the Write has ended is dropped: Escape until it is taken.
  EXPECT_EQ(WaitForExit(child, [&] { Xdotool("key --window " + window + " Escape"); }), 0);
  ASSERT_TRUE(written) << ReadText(profile);
  // The write happened at the profile's speed: 19200 is index 3.
  EXPECT_NE(ReadText(profile).find("BAUD=3"), std::string::npos) << ReadText(profile);
  // The firmware the build packed reached the module.
  std::ifstream firmware(fs::path(VRX_SOURCE_DIR) / "resources/firmware/vrx7100_firmware.bin",
                         std::ios::binary);
  std::vector<char> head(0x400);
  firmware.read(head.data(), static_cast<std::streamsize>(head.size()));
  const sim::FlashBytes flash = module->Flash();
  EXPECT_TRUE(std::equal(head.begin(), head.end(), flash.begin(),
                         [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }));
}

// Without a window system both programs say so in one line and end with
// status 1, not with toolkit warnings or a crash.
TEST(GuiPrograms, WithoutADisplayPrintOneLineAndExitWithOne) {
  ScratchFolder dir;
  const std::pair<fs::path, std::string> programs[] = {
      {PackedWriter(), "VRXWriter"},
      {fs::path(VRX_BINARY_DIR) / "editor" / "gui" / "VRXEditor", "VRXEditor"}};
  for (const auto& [program, name] : programs) {
    const fs::path output = dir.path() / (name + ".out");
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME='" +
                                dir.path().string() + "' '" + program.string() + "' >'" +
                                output.string() + "' 2>&1";
    const int exitCode = ::vrx::test::RunShell(command);
    ASSERT_NE(exitCode, -1) << name;  // it ended by itself
    EXPECT_EQ(exitCode, 1) << name;
    EXPECT_EQ(ReadText(output), name + ": cannot open the X display; set DISPLAY or run vrxtool\n");
  }
}

// The window's size in device pixels, as the X server has it, of `program`
// started with GDK_SCALE=`scale`; (0, 0) when no window appeared.
std::pair<int, int> WindowSizeAtScale(const fs::path& program, const std::string& name, int scale,
                                      const fs::path& config) {
  const fs::path output = config / ("geometry-" + std::to_string(scale));
  const fs::path script = config / "measure.sh";
  std::ofstream(script) << "export XDG_CONFIG_HOME='" << config.string()
                        << "' GSETTINGS_BACKEND=memory GDK_SCALE=" << scale << "\n'"
                        << program.string() << "' & pid=$!\n"
                        << "w=$(timeout 20 xdotool search --sync --onlyvisible --pid $pid --name '"
                        << name
                        << "' | head -n 1)\n"
                        // the size once it has stopped changing
                        << "last=; for i in $(seq 20); do sleep 0.3;"
                        << " now=$(xdotool getwindowgeometry --shell $w);"
                        << " [ \"$now\" = \"$last\" ] && break; last=$now; done\n"
                        << "echo \"$now\" > '" << output.string() << "'\n"
                        << "kill $pid; wait $pid\n";
  // A screen of its own, large enough for the doubled windows (a window
  // larger than the screen would be cut down to it).
  ::vrx::test::RunShell("xvfb-run -a -s '-screen 0 2800x2400x24 -dpi 96' bash '" + script.string() +
                        "' >/dev/null 2>&1");
  const std::string text = ReadText(output);
  const auto value = [&](const std::string& key) {
    const std::size_t at = text.find(key + "=");
    return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + key.size() + 1);
  };
  return {value("WIDTH"), value("HEIGHT")};
}

// A desktop scale of 2 (GDK_SCALE) makes each window exactly twice as large
// in device pixels: the layout is scaled once, by the toolkit.
TEST(GuiPrograms, WindowsAreTwiceAsLargeAtScaleTwo) {
  if (::vrx::test::RunShell("command -v xdotool >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "needs xdotool";
  ScratchFolder dir;
  const std::pair<fs::path, std::string> programs[] = {
      {PackedWriter(), "^VRXWriter$"},
      {fs::path(VRX_BINARY_DIR) / "editor" / "gui" / "VRXEditor", "^VRXEditor$"}};
  for (const auto& [program, name] : programs) {
    const auto [width, height] = WindowSizeAtScale(program, name, 1, dir.path());
    ASSERT_GT(width, 0) << name;
    const auto [width2, height2] = WindowSizeAtScale(program, name, 2, dir.path());
    EXPECT_EQ(width2, 2 * width) << name;
    EXPECT_EQ(height2, 2 * height) << name;
  }
}

}  // namespace
}  // namespace vrx::test
