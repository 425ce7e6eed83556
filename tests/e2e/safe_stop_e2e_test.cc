// Ctrl-C at any moment of a device command, against a strict simulated
// module (one that never learns that the port closed): the command stops
// where the module stays in step, and the next command succeeds.  The
// moments are host byte counts, chosen at random with a fixed seed; the
// simulator sends the signal when that byte arrives, before it answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include "config/data_file.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"
#include "writer/firmware_container.h"

namespace vrx::test {
namespace {

using ::testing::HasSubstr;

constexpr int kMoments = 20;
const std::string kInterrupted = "中断しました。\n";

// A strict module that sends `signal` to the vrxtool run it serves when the
// host's byte number `moment` arrives.
class Station {
 public:
  explicit Station(const sim::FlashBytes& flash, bool keepTranscript = false,
                   const sim::AdapterSettings& adapter = {}) {
    sim::SimulatorOptions options;
    options.initialFlash = flash;
    options.keepTranscript = keepTranscript;
    options.adapter = adapter;
    options.onByte = [this](const sim::TranscriptEntry& entry) {
      if (entry.direction != sim::Direction::kHostToModule) return;
      const long count = ++hostBytes_;
      if (count == interruptAt_.load() && target_.load() > 0) kill(target_.load(), signal_.load());
    };
    simulator_ = StartSimulator(std::move(options));
  }

  // Runs vrxtool with `arguments`, given `signal` at host byte `moment`
  // (0: never); the host's bytes are counted afresh for each run.
  ProcessResult Run(const std::vector<std::string>& arguments, long moment = 0,
                    int signal = SIGINT) {
    hostBytes_ = 0;
    interruptAt_ = moment;
    signal_ = signal;
    std::vector<std::string> argv{kVrxtool};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    BackgroundProcess tool(argv, {"XDG_CONFIG_HOME=" + config_.path().string()});
    target_ = tool.pid();
    ProcessResult result;
    result.exitCode = tool.Stop(0, std::chrono::minutes(2));  // signal 0: only wait
    target_ = 0;
    result.out = tool.ReadAllOut();
    result.err = tool.ReadAllErr();
    return result;
  }

  long HostBytes() const { return hostBytes_; }
  sim::Simulator& simulator() { return *simulator_; }
  std::string Port() const { return simulator_->DevicePath(); }

 private:
  ScratchFolder config_{"vrx-safe-stop"};
  std::atomic<long> hostBytes_{0};
  std::atomic<long> interruptAt_{0};
  std::atomic<pid_t> target_{0};
  std::atomic<int> signal_{SIGINT};
  std::unique_ptr<sim::Simulator> simulator_;
};

// `count` distinct moments in [1, last], the same on every run.
std::vector<long> Moments(long last, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> pick(1, last);
  std::vector<long> moments;
  while (static_cast<int>(moments.size()) < count) moments.push_back(pick(random));
  return moments;
}

sim::FlashBytes Erased() {
  sim::FlashBytes flash;
  flash.fill(0xFF);
  return flash;
}

sim::FlashBytes WrittenImage(const WriteFiles& files) {
  FlashImage image{};
  EXPECT_EQ(ReadFirmwarePayload(files.container, image), ContainerResult::kOk);
  EXPECT_EQ(LoadConfigIntoFlashImage(files.dataFile.string(), image), DataFileError::kNone);
  return image;
}

bool ProgrammedRangesEqual(const sim::FlashBytes& flash, const sim::FlashBytes& image) {
  return std::equal(image.begin(), image.begin() + 0x400, flash.begin()) &&
         std::equal(image.begin() + 0x1000, image.end(), flash.begin() + 0x1000);
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectInterrupted(const ProcessResult& result, long moment) {
  EXPECT_EQ(result.exitCode, 130) << "moment " << moment << "\n" << result.out << result.err;
  EXPECT_EQ(result.err, kInterrupted) << "moment " << moment;
}

std::vector<std::string> ProgramOn(const WriteFiles& files, const Station& station) {
  return {"program",      files.dataFile.string(), "--port",
          station.Port(), "--container",           files.container.string()};
}

// The host bytes of a whole Write onto an erased module; the adapter only
// changes when they travel, not how many there are.
long WholeWriteBytes(const WriteFiles& files) {
  Station station(Erased());
  const ProcessResult whole = station.Run(ProgramOn(files, station));
  EXPECT_EQ(whole.exitCode, 0) << whole.out << whole.err;
  return whole.exitCode == 0 ? station.HostBytes() : 0;
}

// `program` stopped by SIGINT at each of `moments`, each followed by a
// `program` that must succeed with the right flash.  Each moment starts
// from an erased module: a Write onto a programmed one skips block 0 and is
// shorter, so a late moment would never come.
void ExpectProgramSurvivesInterruptions(const WriteFiles& files, const std::vector<long>& moments,
                                        const sim::AdapterSettings& adapter) {
  const sim::FlashBytes image = WrittenImage(files);
  for (long moment : moments) {
    Station station(Erased(), false, adapter);
    const ProcessResult stopped = station.Run(ProgramOn(files, station), moment);
    ExpectInterrupted(stopped, moment);
    EXPECT_THAT(stopped.out, HasSubstr("中断しました。\n処理を中止します。\n")) << moment;
    const ProcessResult next = station.Run(ProgramOn(files, station));
    ASSERT_EQ(next.exitCode, 0) << "after moment " << moment << "\n" << next.out << next.err;
    EXPECT_THAT(next.out, HasSubstr(kWritten));
    EXPECT_TRUE(ProgrammedRangesEqual(station.simulator().Flash(), image)) << moment;
  }
}

// kMoments moments in groups of five, one group per test so that they run
// side by side.
class ProgramInterrupted : public ::testing::TestWithParam<int> {};

TEST_P(ProgramInterrupted, AnywhereIsFollowedByAGoodProgram) {
  WriteFiles files;
  const long total = WholeWriteBytes(files);
  ASSERT_GT(total, 28672);
  const std::vector<long> all = Moments(total - 1, kMoments, 24);
  const auto group = all.begin() + 5 * GetParam();
  ExpectProgramSurvivesInterruptions(files, {group, group + 5}, {});
}

INSTANTIATE_TEST_SUITE_P(SafeStop, ProgramInterrupted, ::testing::Range(0, kMoments / 5));

// Behind an FTDI adapter (at the 1 ms latency the programs ask for) the
// answers come late and in packets, so a signal finds the host waiting at
// other points of an exchange.  A Write takes half a minute there: three
// moments, one per test.
class ProgramInterruptedBehindAnFtdiAdapter : public ::testing::TestWithParam<int> {};

TEST_P(ProgramInterruptedBehindAnFtdiAdapter, IsFollowedByAGoodProgram) {
  const auto ftdi = sim::ParseAdapter("ftdi:1");
  ASSERT_TRUE(ftdi.has_value());
  WriteFiles files;
  const long total = WholeWriteBytes(files);
  ASSERT_GT(total, 28672);
  const std::vector<long> all = Moments(total - 1, 3, 27);
  ExpectProgramSurvivesInterruptions(files, {all[static_cast<std::size_t>(GetParam())]}, *ftdi);
}

INSTANTIATE_TEST_SUITE_P(SafeStop, ProgramInterruptedBehindAnFtdiAdapter, ::testing::Range(0, 3));

TEST(SafeStop, ReadAndVerifyInterruptedAnywhereAreFollowedByGoodOnes) {
  WriteFiles files;
  const sim::FlashBytes image = WrittenImage(files);
  Station station(image);
  const auto backup = files.dir / "backup.bin";
  const std::vector<std::string> read{"read", "--port", station.Port(), backup.string()};
  const std::vector<std::string> verify{"verify",      files.dataFile.string(),
                                        "--port",      station.Port(),
                                        "--container", files.container.string()};
  for (const auto* command : {&read, &verify}) {
    ASSERT_EQ(station.Run(*command).exitCode, 0);
    const long total = station.HostBytes();
    for (long moment : Moments(total - 1, kMoments, 25)) {
      std::filesystem::remove(backup);
      ExpectInterrupted(station.Run(*command, moment), moment);
      EXPECT_FALSE(std::filesystem::exists(backup)) << moment;  // nothing half read is kept
      const ProcessResult next = station.Run(*command);
      ASSERT_EQ(next.exitCode, 0) << (*command)[0] << " after moment " << moment << "\n"
                                  << next.out << next.err;
      if (command == &read) {
        EXPECT_EQ(ReadBytes(backup), std::vector<uint8_t>(image.begin(), image.end())) << moment;
      }
    }
  }
}

std::vector<std::string> ProgramArguments(const WriteFiles& files, const std::string& port,
                                          const char* speed) {
  return {"program",     files.dataFile.string(), "--port", port, "--speed", speed,
          "--container", files.container.string()};
}

// Interrupted at 9600 bit/s, the module is left in its loader, which hears
// 38400 only: the next connect at 9600 meets silence and is tried once
// more at 38400.
TEST(SafeStop, ALoaderLeftActiveIsFoundAt38400WhenTheChosenSpeedDiffers) {
  WriteFiles files;
  const sim::FlashBytes image = WrittenImage(files);
  Station station(Erased(), /*keepTranscript=*/true);
  const auto program = ProgramArguments(files, station.Port(), "1");
  ExpectInterrupted(station.Run(program, 5000), 5000);  // inside block 4
  EXPECT_TRUE(station.simulator().InLoader());
  station.simulator().TakeTranscript();

  const ProcessResult next = station.Run(program);
  ASSERT_EQ(next.exitCode, 0) << next.out << next.err;
  EXPECT_TRUE(ProgrammedRangesEqual(station.simulator().Flash(), image));
  const sim::Transcript conversation = station.simulator().TakeTranscript();
  ASSERT_GE(conversation.size(), 3u);
  const sim::Transcript expectedStart{{sim::Direction::kHostToModule, 0xC4, 9600},
                                      {sim::Direction::kHostToModule, 0xC4, 38400},
                                      {sim::Direction::kModuleToHost, 0xC4, 0}};
  EXPECT_EQ(sim::Transcript(conversation.begin(), conversation.begin() + 3), expectedStart);
}

// A process killed outright inside a record leaves the module out of step:
// the next program says to switch it off and on, and after that (a fresh
// module on the line) it works.
TEST(SafeStop, AModuleLeftInsideARecordAsksForAPowerCycle) {
  WriteFiles files;
  const sim::FlashBytes image = WrittenImage(files);
  Station station(Erased());
  const auto program = ProgramArguments(files, station.Port(), "4");
  EXPECT_EQ(station.Run(program, 5000, SIGKILL).exitCode, -1);

  const ProcessResult stuck = station.Run(program);
  EXPECT_EQ(stuck.exitCode, 1);
  EXPECT_THAT(stuck.out,
              HasSubstr("\nデバイスと通信ができません。\n"
                        "モジュールの電源を切って入れ直してから、もう一度やり直してください。\n"
                        "処理を中止します。\n"));

  station.simulator().Unplug();
  std::string error;
  const std::string port = station.simulator().PlugIn(error);
  ASSERT_FALSE(port.empty()) << error;
  const ProcessResult next = station.Run(ProgramArguments(files, port, "4"));
  EXPECT_EQ(next.exitCode, 0) << next.out << next.err;
  EXPECT_TRUE(ProgrammedRangesEqual(station.simulator().Flash(), image));
}

std::vector<std::string> CsvLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Ctrl-C during a module's Write ends the production loop: the module is
// logged as interrupted, counted neither way, and programs fine next time.
TEST(SafeStop, CtrlCDuringRepeatLogsTheModuleAsInterrupted) {
  WriteFiles files;
  const sim::FlashBytes image = WrittenImage(files);
  Station station(Erased());
  const auto csv = files.dir / "results.csv";
  auto repeat = ProgramArguments(files, station.Port(), "4");
  repeat.insert(repeat.end(), {"--repeat", "--log", csv.string()});
  for (long moment : Moments(25000, 3, 26)) {
    std::filesystem::remove(csv);
    const ProcessResult stopped = station.Run(repeat, moment + 1);  // after the first probe
    EXPECT_EQ(stopped.exitCode, 0) << moment << "\n" << stopped.out << stopped.err;
    EXPECT_THAT(stopped.out, HasSubstr("中断しました。\n処理を中止します。\n")) << moment;
    EXPECT_THAT(stopped.err, HasSubstr("modules programmed: 0, passed 0, failed 0")) << moment;
    const auto lines = CsvLines(csv);
    ASSERT_EQ(lines.size(), 2u) << moment;
    EXPECT_THAT(lines[1], ::testing::MatchesRegex(".*,interrupted,[0-9.]+,interrupted"));

    const ProcessResult next = station.Run(ProgramArguments(files, station.Port(), "4"));
    ASSERT_EQ(next.exitCode, 0) << "after moment " << moment << "\n" << next.out << next.err;
    EXPECT_TRUE(ProgrammedRangesEqual(station.simulator().Flash(), image)) << moment;
  }
}

}  // namespace
}  // namespace vrx::test
