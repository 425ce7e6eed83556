// vrxtool program --repeat on one station: modules unplugged and plugged
// into vrxsim one after another, the results file and the summary.
#include <gtest/gtest.h>

#include <signal.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"

namespace vrx::test {
namespace {

const std::string kVrxtool = VRXTOOL_PATH;
const std::string kVrxsim = VRXSIM_PATH;
const std::string kWritten = "書き込みは正常に終了しました。";
const std::string kAborted = "処理を中止します。";

// Reads the station's log until a module's Write has ended: its last line
// ("" when none came within a minute; the log's blank lines are skipped).
std::string NextOutcome(BackgroundProcess& station) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string line = station.ReadLine(std::chrono::seconds(1));
    if (line == kWritten || line == kAborted) return line;
  }
  return "";
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
  ASSERT_TRUE(SwapModule(sim));
  EXPECT_EQ(NextOutcome(station), kAborted);
  ASSERT_TRUE(SwapModule(sim));
  EXPECT_EQ(NextOutcome(station), kWritten);

  EXPECT_EQ(station.Stop(SIGINT, std::chrono::seconds(5)), 1);  // one module failed
  const std::string err = station.ReadAllErr();
  EXPECT_NE(err.find("passed 1, failed 1\n"), std::string::npos) << err;
  EXPECT_NE(err.find("passed 2, failed 1\n"), std::string::npos) << err;
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
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // waiting for it to go
  EXPECT_EQ(station.Stop(SIGINT, std::chrono::seconds(5)), 0);
  EXPECT_NE(station.ReadAllErr().find("modules programmed: 1, passed 1, failed 0\n"),
            std::string::npos);

  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  std::string error;
  const auto flash = sim::FlashMemory::Load(flashFile, error);
  ASSERT_TRUE(flash) << error;
  EXPECT_TRUE(
      std::equal(files.firmware.begin() + 0x1000, files.firmware.end(), flash->begin() + 0x1000));
}

}  // namespace
}  // namespace vrx::test
