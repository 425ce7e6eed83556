// vrxtool program on several ports at once, against one simulated module
// per port: every port's session is a whole single-port session, byte for
// byte, and one port's failure is that port's alone.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"

namespace vrx::test {
namespace {

const std::string kVrxtool = VRXTOOL_PATH;
const std::string kVrxsim = VRXSIM_PATH;
const std::string kWritten = "書き込みは正常に終了しました。";
const std::string kAborted = "処理を中止します。";
const std::string kSilent = "connect=silentx*";
const std::string kRefusing = "record=0x06x5";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines of `port` in a gang's output, without the prefix.
std::string LinesOf(const std::string& output, const std::string& port) {
  const std::string prefix = port + ": ";
  std::string lines;
  for (const std::string& line : Lines(output))
    if (line.rfind(prefix, 0) == 0) lines += line.substr(prefix.size()) + "\n";
  return lines;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

struct SingleRun {
  ProcessResult result;
  sim::Transcript transcript;
};

// The same Write on one port of its own: what each gang port must match.
SingleRun ProgramAlone(const WriteFiles& files, const std::vector<std::string>& faults) {
  auto simulator = StartSimulator(WithFaults(faults));
  SingleRun run;
  run.result =
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                  "--container", files.container.string()},
                 {"XDG_CONFIG_HOME=" + (files.dir / "alone").string()}, std::chrono::minutes(3));
  run.transcript = simulator->TakeTranscript();
  return run;
}

TEST(GangEndToEnd, EightPortsAtOnceWithASilentAndARefusingModule) {
  WriteFiles files;
  std::vector<std::vector<std::string>> faults(8);
  faults[2] = {kSilent};
  faults[5] = {kRefusing};
  std::vector<std::unique_ptr<sim::Simulator>> modules;
  std::vector<std::string> command{kVrxtool, "program", files.dataFile.string(), "--container",
                                   files.container.string()};
  for (const auto& portFaults : faults) {
    modules.push_back(StartSimulator(WithFaults(portFaults)));
    command.insert(command.end(), {"--port", modules.back()->DevicePath()});
  }
  const ProcessResult gang = RunProcess(
      command, {"XDG_CONFIG_HOME=" + (files.dir / "config").string()}, std::chrono::minutes(3));

  EXPECT_EQ(gang.exitCode, 1) << gang.err;
  const SingleRun good = ProgramAlone(files, {});
  const SingleRun silent = ProgramAlone(files, {kSilent});
  const SingleRun refusing = ProgramAlone(files, {kRefusing});
  ASSERT_EQ(good.result.exitCode, 0);
  ASSERT_EQ(silent.result.exitCode, 1);
  ASSERT_EQ(refusing.result.exitCode, 1);
  for (std::size_t i = 0; i < modules.size(); ++i) {
    const std::string port = modules[i]->DevicePath();
    const SingleRun& alone = i == 2 ? silent : i == 5 ? refusing : good;
    // The module saw exactly what a single-port run sends, byte and rate.
    EXPECT_EQ(modules[i]->TakeTranscript(), alone.transcript) << port;
    // The port's log lines are the single-port log.
    EXPECT_EQ(LinesOf(gang.out, port), alone.result.out) << port;
    const bool passes = alone.result.exitCode == 0;
    EXPECT_TRUE(Contains(gang.err, port + ": modules programmed: 1, passed " +
                                       (passes ? "1, failed 0" : "0, failed 1") + "\n"))
        << gang.err;
    const sim::FlashBytes flash = modules[i]->Flash();
    EXPECT_EQ(
        std::equal(files.firmware.begin() + 0x1000, files.firmware.end(), flash.begin() + 0x1000),
        passes)
        << port;
  }
  // Each failure is reported with its message, on its own port's line.
  const std::string silentPort = modules[2]->DevicePath();
  const std::string refusingPort = modules[5]->DevicePath();
  const std::vector<std::string> silentEnd = Lines(silent.result.out);
  const std::vector<std::string> refusingEnd = Lines(refusing.result.out);
  ASSERT_GE(silentEnd.size(), 2u);
  ASSERT_GE(refusingEnd.size(), 2u);
  EXPECT_TRUE(Contains(gang.err, silentPort + ": " + silentEnd[silentEnd.size() - 2] + "\n"))
      << gang.err;
  EXPECT_TRUE(Contains(gang.err, refusingPort + ": " + refusingEnd[refusingEnd.size() - 2] + "\n"))
      << gang.err;
  EXPECT_TRUE(Contains(gang.err, "all 8 ports: modules programmed: 8, passed 6, failed 2 in "))
      << gang.err;
  // A profile holds one port: nothing is stored for eight.
  EXPECT_FALSE(std::filesystem::exists(files.dir / "config" / "Zentrolith" / "VRXWriter.conf"));
}

TEST(GangEndToEnd, JsonEventsAndRangesName) {
  WriteFiles files;
  auto first = StartSimulator({});
  auto second = StartSimulator({});
  std::ofstream(files.dir / "ports.conf")
      << "COM7=" << first->DevicePath() << "\nCOM8=" << second->DevicePath() << "\n";
  const ProcessResult gang =
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--ports", "com7-COM8",
                  "--container", files.container.string(), "--json"},
                 {"VRX_PORT_MAP=" + (files.dir / "ports.conf").string(),
                  "XDG_CONFIG_HOME=" + (files.dir / "config").string()},
                 std::chrono::minutes(3));
  EXPECT_EQ(gang.exitCode, 0) << gang.err;
  std::map<std::string, int> results;
  for (const std::string& line : Lines(gang.out)) {
    ASSERT_TRUE(line.rfind("{\"event\":", 0) == 0) << line;
    const bool seven = Contains(line, ",\"port\":\"COM7\",");
    EXPECT_NE(seven, Contains(line, ",\"port\":\"COM8\",")) << line;
    if (!Contains(line, "\"event\":\"result\"")) continue;
    results[seven ? "COM7" : "COM8"] += 1;
    EXPECT_TRUE(Contains(line, "\"ok\":true")) << line;
  }
  EXPECT_EQ(results, (std::map<std::string, int>{{"COM7", 1}, {"COM8", 1}}));

  // A port named twice and a range that is none are usage errors.
  EXPECT_EQ(RunProcess({kVrxtool, "program", files.dataFile.string(), "--ports", "COM7-COM8",
                        "--port", "com8"})
                .exitCode,
            2);
  EXPECT_EQ(
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--ports", "COM8-COM7"}).exitCode,
      2);
}

// Reads a station's stdout and hands out each port's Write outcomes in order.
class Outcomes {
 public:
  explicit Outcomes(BackgroundProcess& station) : station_(station) {}

  // The next outcome on `port`; "" when none came within a minute.
  std::string Next(const std::string& port) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (pending_[port].empty() && std::chrono::steady_clock::now() < deadline) {
      const std::string line = station_.ReadLine(std::chrono::seconds(1));
      const std::size_t colon = line.find(": ");
      if (colon == std::string::npos) continue;
      const std::string text = line.substr(colon + 2);
      if (text == kWritten || text == kAborted) pending_[line.substr(0, colon)].push_back(text);
    }
    if (pending_[port].empty()) return "";
    const std::string outcome = pending_[port].front();
    pending_[port].pop_front();
    return outcome;
  }

 private:
  BackgroundProcess& station_;
  std::map<std::string, std::deque<std::string>> pending_;
};

TEST(GangEndToEnd, RepeatOnFourPortsCountsEachPortOnItsOwn) {
  WriteFiles files;
  std::vector<std::unique_ptr<BackgroundProcess>> modules;
  std::vector<std::string> command{
      kVrxtool,   "program", files.dataFile.string(), "--container", files.container.string(),
      "--repeat", "--log"};
  const auto csv = files.dir / "results.csv";
  command.push_back(csv.string());
  std::vector<std::string> ports;
  for (int i = 0; i < 4; ++i) {
    ports.push_back((files.dir / ("socket" + std::to_string(i))).string());
    std::vector<std::string> sim{kVrxsim, "--link", ports.back()};
    // The second module on the last port fails its first erase.
    if (i == 3) sim.insert(sim.end(), {"--fault", "erase=0x03@2"});
    modules.push_back(std::make_unique<BackgroundProcess>(sim));
    ASSERT_FALSE(modules.back()->ReadLine().empty());
    command.insert(command.end(), {"--port", ports.back()});
  }
  BackgroundProcess station(command, {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});
  Outcomes outcomes(station);

  for (const std::string& port : ports) EXPECT_EQ(outcomes.Next(port), kWritten) << port;
  // Modules are replaced on each port at its own moments.
  ASSERT_TRUE(SwapModule(*modules[0]));
  EXPECT_EQ(outcomes.Next(ports[0]), kWritten);
  ASSERT_TRUE(SwapModule(*modules[3]));
  ASSERT_TRUE(SwapModule(*modules[1]));
  EXPECT_EQ(outcomes.Next(ports[3]), kAborted);
  EXPECT_EQ(outcomes.Next(ports[1]), kWritten);
  ASSERT_TRUE(SwapModule(*modules[0]));
  EXPECT_EQ(outcomes.Next(ports[0]), kWritten);

  EXPECT_EQ(station.Stop(SIGINT, std::chrono::seconds(10)), 1);  // one module failed
  const std::string err = station.ReadAllErr();
  const std::vector<std::pair<int, int>> counts{{3, 0}, {2, 0}, {1, 0}, {1, 1}};
  for (std::size_t i = 0; i < ports.size(); ++i)
    EXPECT_TRUE(Contains(err, ports[i] + ": modules programmed: " +
                                  std::to_string(counts[i].first + counts[i].second) + ", passed " +
                                  std::to_string(counts[i].first) + ", failed " +
                                  std::to_string(counts[i].second) + "\n"))
        << err;
  EXPECT_TRUE(Contains(err, "all 4 ports: modules programmed: 8, passed 7, failed 1 in ")) << err;

  const std::vector<std::string> rows = CsvLines(csv);
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[0], "time,port,result,seconds,message");
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const std::string field = "," + ports[i] + ",";
    const auto passed = std::count_if(rows.begin(), rows.end(), [&](const std::string& row) {
      return Contains(row, field + "pass,");
    });
    const auto failed = std::count_if(rows.begin(), rows.end(), [&](const std::string& row) {
      return Contains(row, field + "fail,") &&
             row.substr(row.rfind(',') + 1) == "フラッシュの消去でエラーが発生しました。";
    });
    EXPECT_EQ(passed, counts[i].first) << ports[i];
    EXPECT_EQ(failed, counts[i].second) << ports[i] << "\n" << ReadText(csv);
  }
  // Whole rows only: five fields each, whatever the ports did at once.
  for (const std::string& row : rows) EXPECT_EQ(std::count(row.begin(), row.end(), ','), 4) << row;
}

}  // namespace
}  // namespace vrx::test
