// vrxtool program --repeat on one station: modules unplugged and plugged
// into vrxsim one after another, the results file and the summary.
#include <gtest/gtest.h>

#include <signal.h>

#include <fstream>
#include <sstream>

#include "resources/readback_texts.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"

namespace vrx::test {
namespace {


// Reads the station's log until a module's Write has ended: its last line.
// When none comes within a minute, what the station said instead, for the
// failure message.
std::string NextOutcome(BackgroundProcess& station) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  std::string seen;
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string line = station.ReadLine(std::chrono::seconds(1));
    if (line == kWritten || line == kAborted) return line;
    if (!line.empty()) seen += line + '\n';
  }
  return "no Write ended within a minute; log:\n" + seen + "stderr:\n" + station.ReadAllErr();
}

// Once the station has counted the module just written (`passed`,
// `failed` so far), unplugs it, waits until the station has seen it gone
// and plugs the next one in; true once it is there.
bool SwapModule(BackgroundProcess& sim, BackgroundProcess& station, int passed, int failed) {
  if (!station.WaitForErrLine(readback_text::RunningCount(passed, failed))) return false;
  kill(sim.pid(), SIGUSR1);
  if (!station.WaitForErrLine(readback_text::WaitingForModule())) return false;
  kill(sim.pid(), SIGUSR2);
  return !sim.ReadLine().empty();
}

TEST(ProductionLoop, ProgramsModuleAfterModuleAndSumsUpOnCtrlC) {
  WriteFiles files;
  const auto link = files.dir / "station";
  // The second module's first erase fails; the faults count across modules.
  BackgroundProcess sim({kVrxsim, "--link", link.string(), "--fault", "erase=0x03@2"});
  ASSERT_FALSE(sim.ReadLine().empty());
  const auto csv = files.dir / "results.csv";
  BackgroundProcess station(
      {kVrxtool, "program", files.dataFile.string(), "--port", link.string(), "--container",
       files.container.string(), "--repeat", "--log", csv.string()},
      {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});

  EXPECT_EQ(NextOutcome(station), kWritten);
  ASSERT_TRUE(SwapModule(sim, station, 1, 0));
  EXPECT_EQ(NextOutcome(station), kAborted);
  ASSERT_TRUE(SwapModule(sim, station, 1, 1));
  EXPECT_EQ(NextOutcome(station), kWritten);
  ASSERT_TRUE(station.WaitForErrLine(readback_text::RunningCount(2, 1)));

  EXPECT_EQ(station.Stop(SIGINT), 1);  // one module failed
  const std::string err = station.ReadAllErr();
  EXPECT_NE(err.find("modules programmed: 3, passed 2, failed 1\n"), std::string::npos) << err;

  const std::vector<std::string> lines = CsvLines(csv);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "time,port,result,seconds,message");
  const std::string port = "," + link.string() + ",";
  EXPECT_NE(lines[1].find(port + "pass,"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find(port + "fail,"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[2].substr(lines[2].rfind(',') + 1), "フラッシュの消去でエラーが発生しました。");
  EXPECT_NE(lines[3].find(port + "pass,"), std::string::npos) << lines[3];
}

TEST(ProductionLoop, CtrlCWhileWaitingExitsZeroWhenNothingFailed) {
  WriteFiles files;
  const auto link = files.dir / "station";
  const auto flashFile = files.dir / "module.bin";
  BackgroundProcess sim({kVrxsim, "--link", link.string(), "--flash", flashFile.string()});
  ASSERT_FALSE(sim.ReadLine().empty());
  BackgroundProcess station({kVrxtool, "program", files.dataFile.string(), "--port", link.string(),
                             "--container", files.container.string(), "--repeat"},
                            {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});

  EXPECT_EQ(NextOutcome(station), kWritten);
  // Counted: the station is waiting for the module to go.
  ASSERT_TRUE(station.WaitForErrLine(readback_text::RunningCount(1, 0)));
  EXPECT_EQ(station.Stop(SIGINT), 0);
  EXPECT_NE(station.ReadAllErr().find("modules programmed: 1, passed 1, failed 0\n"),
            std::string::npos);

  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  std::string error;
  const auto flash = sim::FlashMemory::Load(flashFile, error);
  ASSERT_TRUE(flash) << error;
  EXPECT_TRUE(
      std::equal(files.firmware.begin() + 0x1000, files.firmware.end(), flash->begin() + 0x1000));
}

// A background job of a non-interactive shell (a CI runner, a loop over the
// suite) starts with SIGINT ignored; the tools the tests start take it all
// the same, as from a terminal.
TEST(ProductionLoop, CtrlCReachesTheStationWhenTheTestsRunWithItIgnored) {
  struct sigaction ignore {}, previous{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGINT, &ignore, &previous);
  WriteFiles files;
  BackgroundProcess station({kVrxtool, "program", files.dataFile.string(), "--port",
                             (files.dir / "no-module-here").string(), "--container",
                             files.container.string(), "--repeat"},
                            {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});
  sigaction(SIGINT, &previous, nullptr);

  ASSERT_TRUE(station.WaitForErrLine(readback_text::WaitingForModule()));
  EXPECT_EQ(station.Stop(SIGINT), 0);
  EXPECT_NE(station.ReadAllErr().find("modules programmed: 0"), std::string::npos);
}

}  // namespace
}  // namespace vrx::test
