// vrxtool program on several ports at once, against one simulated module
// per port: every port's session is a whole single-port session, byte for
// byte, and one port's failure is that port's alone.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>

#include "resources/readback_texts.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"

namespace vrx::test {
namespace {

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

bool FirmwareProgrammed(const WriteFiles& files, const sim::FlashBytes& flash) {
  return std::equal(files.firmware.begin() + 0x1000, files.firmware.end(), flash.begin() + 0x1000);
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
    // Paced like modules on real lines: the bytes are the same, and eight
    // ports' traffic stays at what a station's adapters carry.
    sim::SimulatorOptions options = WithFaults(portFaults);
    options.wireTime = true;
    modules.push_back(StartSimulator(std::move(options)));
    command.insert(command.end(), {"--port", modules.back()->DevicePath()});
  }
  const ProcessResult gang = RunProcess(
      command, {"XDG_CONFIG_HOME=" + (files.dir / "config").string()}, std::chrono::minutes(3));

  EXPECT_EQ(gang.exitCode, 1) << gang.err;
  const SingleRun good = ProgramAlone(files, {});
  const SingleRun silent = ProgramAlone(files, {kSilent});
  const SingleRun refusing = ProgramAlone(files, {kRefusing});
  ASSERT_EQ(good.result.exitCode, 0) << good.result.out << good.result.err;
  ASSERT_EQ(silent.result.exitCode, 1) << silent.result.out << silent.result.err;
  ASSERT_EQ(refusing.result.exitCode, 1) << refusing.result.out << refusing.result.err;
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
    EXPECT_EQ(FirmwareProgrammed(files, modules[i]->Flash()), passes) << port;
  }
  // Each failure is reported with the message a single-port run ends with,
  // on its own port's line.
  for (const std::size_t i : {2u, 5u}) {
    const std::vector<std::string> aloneErr = Lines((i == 2 ? silent : refusing).result.err);
    ASSERT_FALSE(aloneErr.empty());
    EXPECT_TRUE(Contains(gang.err, modules[i]->DevicePath() + ": " + aloneErr.front() + "\n"))
        << gang.err;
  }
  EXPECT_TRUE(Contains(gang.err, "all 8 ports: modules programmed: 8, passed 6, failed 2 in "))
      << gang.err;
  // A profile holds one port: nothing is stored for eight.
  EXPECT_FALSE(std::filesystem::exists(files.dir / "config" / "Zentrolith" / "VRXWriter.conf"));
}

// Ctrl-C while three ports write block 4: each stops at its next safe point
// and says so, the run ends as an interrupted single Write does, and the
// next run programs every module (each was left in step).
TEST(GangEndToEnd, CtrlCStopsEveryPortAndTheNextRunProgramsThem) {
  WriteFiles files;
  std::atomic<pid_t> tool{0};
  std::atomic<long> firstPortBytes{0};
  std::vector<std::unique_ptr<sim::Simulator>> modules;
  std::vector<std::string> command{kVrxtool, "program", files.dataFile.string(), "--container",
                                   files.container.string()};
  for (int i = 0; i < 3; ++i) {
    sim::SimulatorOptions options;
    if (i == 0) {
      // Byte 5000 of a Write onto an erased module is inside block 4.
      options.onByte = [&](const sim::TranscriptEntry& entry) {
        if (entry.direction == sim::Direction::kHostToModule && ++firstPortBytes == 5000 &&
            tool.load() > 0)
          kill(tool.load(), SIGINT);
      };
    }
    modules.push_back(StartSimulator(std::move(options)));
    command.insert(command.end(), {"--port", modules.back()->DevicePath()});
  }
  const std::vector<std::string> env{"XDG_CONFIG_HOME=" + (files.dir / "config").string()};
  ProcessResult stopped;
  {
    BackgroundProcess run(command, env);
    tool = run.pid();
    stopped.exitCode = run.Stop(0, std::chrono::minutes(2));  // signal 0: only wait
    tool = 0;
    stopped.out = run.ReadAllOut();
    stopped.err = run.ReadAllErr();
  }
  EXPECT_EQ(stopped.exitCode, 130) << stopped.out << stopped.err;
  EXPECT_TRUE(stopped.err.ends_with("\n中断しました。\n")) << stopped.err;
  for (const auto& module : modules) {
    const std::string port = module->DevicePath();
    EXPECT_TRUE(LinesOf(stopped.out, port).ends_with("中断しました。\n" + kAborted + "\n"))
        << port << "\n"
        << stopped.out;
    EXPECT_TRUE(Contains(stopped.err, port + ": 中断しました。\n")) << stopped.err;
    EXPECT_TRUE(Contains(stopped.err, port + ": modules programmed: 0, passed 0, failed 0\n"))
        << stopped.err;
  }

  const ProcessResult next = RunProcess(command, env, std::chrono::minutes(3));
  EXPECT_EQ(next.exitCode, 0) << next.out << next.err;
  for (const auto& module : modules)
    EXPECT_TRUE(FirmwareProgrammed(files, module->Flash())) << module->DevicePath();
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
      const std::string linePort = line.substr(0, colon), text = line.substr(colon + 2);
      logs_[linePort] += text + '\n';
      if (text == kWritten || text == kAborted) pending_[linePort].push_back(text);
    }
    if (pending_[port].empty()) return "";
    const std::string outcome = pending_[port].front();
    pending_[port].pop_front();
    return outcome;
  }

  // Every line `port` has printed so far, for a failure message.
  std::string Log(const std::string& port) { return logs_[port]; }

 private:
  BackgroundProcess& station_;
  std::map<std::string, std::deque<std::string>> pending_;
  std::map<std::string, std::string> logs_;
};

// A station's stderr, kept whole, so that each port's plain lines can be
// waited for in whatever order the ports wrote them.
class StationErr {
 public:
  explicit StationErr(BackgroundProcess& station) : station_(station) {}

  // The index of the first line equal to `line` after line `after`; -1 when
  // none came within a minute.
  int WaitFor(const std::string& line, int after = -1) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    for (int i = after + 1;; ++i) {
      while (static_cast<std::size_t>(i) >= lines_.size()) {
        if (std::chrono::steady_clock::now() > deadline) return -1;
        if (std::string next = station_.ReadErrLine(std::chrono::seconds(1)); !next.empty())
          lines_.push_back(std::move(next));
      }
      if (lines_[static_cast<std::size_t>(i)] == line) return i;
    }
  }

  // Every line read so far and the rest once the station has ended.
  std::string All() {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text + station_.ReadAllErr();
  }

 private:
  BackgroundProcess& station_;
  std::vector<std::string> lines_;
};

// Once `port` has counted the module just written (`passed`, `failed` so
// far), unplugs it, waits until the station has seen it gone and plugs the
// next one in; true once it is there.
bool SwapModule(BackgroundProcess& sim, StationErr& err, const std::string& port, int passed,
                int failed) {
  const int counted = err.WaitFor(port + ": " + readback_text::RunningCount(passed, failed));
  if (counted < 0) return false;
  kill(sim.pid(), SIGUSR1);
  if (err.WaitFor(port + ": " + std::string(readback_text::WaitingForModule()), counted) < 0)
    return false;
  kill(sim.pid(), SIGUSR2);
  return !sim.ReadLine().empty();
}

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
    // Paced at the line's rate, as in the eight-port run.
    std::vector<std::string> sim{kVrxsim, "--link", ports.back(), "--wire-time"};
    // The second module on the last port fails its first erase.
    if (i == 3) sim.insert(sim.end(), {"--fault", "erase=0x03@2"});
    modules.push_back(std::make_unique<BackgroundProcess>(sim));
    ASSERT_FALSE(modules.back()->ReadLine().empty());
    command.insert(command.end(), {"--port", ports.back()});
  }
  BackgroundProcess station(command, {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});
  Outcomes outcomes(station);
  StationErr stationErr(station);

  for (const std::string& port : ports)
    EXPECT_EQ(outcomes.Next(port), kWritten) << port << ":\n" << outcomes.Log(port);
  // Modules are replaced on each port at its own moments.
  ASSERT_TRUE(SwapModule(*modules[0], stationErr, ports[0], 1, 0));
  EXPECT_EQ(outcomes.Next(ports[0]), kWritten) << outcomes.Log(ports[0]);
  ASSERT_TRUE(SwapModule(*modules[3], stationErr, ports[3], 1, 0));
  ASSERT_TRUE(SwapModule(*modules[1], stationErr, ports[1], 1, 0));
  EXPECT_EQ(outcomes.Next(ports[3]), kAborted) << outcomes.Log(ports[3]);
  EXPECT_EQ(outcomes.Next(ports[1]), kWritten) << outcomes.Log(ports[1]);
  ASSERT_TRUE(SwapModule(*modules[0], stationErr, ports[0], 2, 0));
  EXPECT_EQ(outcomes.Next(ports[0]), kWritten) << outcomes.Log(ports[0]);
  // Each port's count after its last module, before the run ends.
  const std::vector<std::pair<int, int>> counts{{3, 0}, {2, 0}, {1, 0}, {1, 1}};
  for (std::size_t i = 0; i < ports.size(); ++i)
    EXPECT_GE(stationErr.WaitFor(ports[i] + ": " +
                                 readback_text::RunningCount(counts[i].first, counts[i].second)),
              0)
        << ports[i];

  EXPECT_EQ(station.Stop(SIGINT, std::chrono::seconds(10)), 1);  // one module failed
  const std::string err = stationErr.All();
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
