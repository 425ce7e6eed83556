// The simulator on a real pseudo-terminal, driven by the bare raw host, and
// the vrxsim program as a process.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"
#include "tools/vrxsim/raw_host.h"
#include "tools/vrxsim/simulator.h"

namespace vrx::sim {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<Simulator> StartSimulator(SimulatorOptions options = {}) {
  std::string error;
  auto simulator = Simulator::Start(std::move(options), error);
  EXPECT_TRUE(simulator) << error;
  return simulator;
}

// A path for a file of the running test, in a folder removed at exit.
std::filesystem::path TempPath(const std::string& name) {
  static const test::ScratchFolder folder("vrxsim-test");
  return folder / (name + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// One round trip; the answer, or -1 for none.
int RoundTrip(int fd, uint8_t value, int timeoutMs = 2000) {
  unsigned char answer = 0;
  return raw_host_round_trip(fd, value, &answer, timeoutMs) == 1 ? answer : -1;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(SimulatorPty, TranscriptKeepsEveryByteWithTheHostRate) {
  auto simulator = StartSimulator();
  int fd = raw_host_open(simulator->DevicePath().c_str(), 9600);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(RoundTrip(fd, 0xC4), 0xFA);
  close(fd);
  fd = raw_host_open(simulator->DevicePath().c_str(), 38400);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(RoundTrip(fd, 0x11), 0xF1);
  close(fd);
  const Transcript expected{{Direction::kHostToModule, 0xC4, 9600},
                            {Direction::kModuleToHost, 0xFA, 0},
                            {Direction::kHostToModule, 0x11, 38400},
                            {Direction::kModuleToHost, 0xF1, 0}};
  EXPECT_EQ(simulator->TakeTranscript(), expected);
  EXPECT_TRUE(simulator->CurrentTranscript().empty());
}

TEST(SimulatorPty, BinaryBytesPassUnchangedBothWays) {
  // 0x11/0x13 (XON/XOFF), CR, LF and 0x7F must neither be eaten nor turned
  // into something else by the pty.
  FlashBytes flash;
  flash.fill(0xFF);
  const uint8_t specials[] = {0x11, 0x13, 0x0D, 0x0A, 0x7F, 0x03, 0x1A, 0x00};
  std::copy(std::begin(specials), std::end(specials), flash.begin());
  SimulatorOptions options;
  options.initialFlash = flash;
  options.startInLoader = true;
  auto simulator = StartSimulator(options);
  const int fd = raw_host_open(simulator->DevicePath().c_str(), 38400);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(RoundTrip(fd, 0x11), 0x11);
  EXPECT_EQ(RoundTrip(fd, 0x00), 0x00);
  EXPECT_EQ(RoundTrip(fd, 0x00), 0x00);
  unsigned char record[128];
  ASSERT_EQ(raw_host_read(fd, record, 128, 2000), 128);
  EXPECT_TRUE(std::equal(std::begin(specials), std::end(specials), record));
  close(fd);
}

// A strict module keeps a half-received command across the host's close;
// a forgiving one drops it.
TEST(SimulatorPty, HostCloseKeepsHalfCommandsUnlessForgivingAndDoesNotSpin) {
  for (const Strictness strictness : {Strictness::kStrict, Strictness::kForgiving}) {
    SimulatorOptions options;
    options.startInLoader = true;
    options.strictness = strictness;
    auto simulator = StartSimulator(options);
    int fd = raw_host_open(simulator->DevicePath().c_str(), 38400);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(RoundTrip(fd, 0xA5), 0xA5);  // the mask never comes
    close(fd);

    // While no host has the port, the master reports a hang-up at once;
    // the simulator must back off rather than poll in a loop.
    const double before = CpuSeconds();
    std::this_thread::sleep_for(400ms);
    EXPECT_LT(CpuSeconds() - before, 0.1);

    fd = raw_host_open(simulator->DevicePath().c_str(), 38400);
    ASSERT_GE(fd, 0);
    if (strictness == Strictness::kStrict) {
      EXPECT_EQ(RoundTrip(fd, 0xC4), 0x00);  // taken as the mask
      unsigned char status = 0;
      EXPECT_EQ(raw_host_read(fd, &status, 1, 2000), 1);
      EXPECT_EQ(status, 0x03);  // no block in it
    } else {
      EXPECT_EQ(RoundTrip(fd, 0xC4), 0xC4);
    }
    close(fd);
  }
}

TEST(SimulatorPty, SymlinkLivesAsLongAsTheSimulator) {
  const auto link = TempPath("vrxsim_link");
  SimulatorOptions options;
  options.linkPath = link;
  auto simulator = StartSimulator(options);
  ASSERT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link), simulator->DevicePath());
  const int fd = raw_host_open(link.c_str(), 19200);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(RoundTrip(fd, 0xC4), 0xFA);
  close(fd);
  simulator.reset();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimulatorPty, RefusesToReplaceARegularFileWithItsLink) {
  const auto path = TempPath("vrxsim_file");
  std::ofstream(path) << "keep me";
  SimulatorOptions options;
  options.linkPath = path;
  std::string error;
  EXPECT_FALSE(Simulator::Start(options, error));
  EXPECT_NE(error.find("not a symlink"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_regular_file(path));
  std::filesystem::remove(path);
}

TEST(SimulatorPty, VanishHangsUpTheHostInsteadOfLeavingItWaiting) {
  SimulatorOptions options;
  options.faults.push_back({AnswerPoint::kHostByte, FaultAction::kVanish, 0, 1, 1});
  auto simulator = StartSimulator(options);
  const int fd = raw_host_open(simulator->DevicePath().c_str(), 38400);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(RoundTrip(fd, 0xC4), 0xFA);
  unsigned char answer = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(raw_host_round_trip(fd, 0xC4, &answer, 10000), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "a hang-up is not a time-out";
  EXPECT_TRUE(simulator->Vanished());
  close(fd);
}

TEST(SimulatorPty, UnplugHangsUpAndPlugInBringsAFreshModuleBehindTheLink) {
  const auto link = TempPath("vrxsim_station");
  SimulatorOptions options;
  options.linkPath = link;
  auto simulator = StartSimulator(options);
  int fd = raw_host_open(link.c_str(), 38400);
  ASSERT_GE(fd, 0);
  // Into the loader: the next module must not start there.
  EXPECT_EQ(RoundTrip(fd, 0xC3), 0xFA);
  EXPECT_EQ(RoundTrip(fd, 0x3C), 0xFA);
  EXPECT_EQ(RoundTrip(fd, 0xC4), 0xC4);

  simulator->Unplug();
  unsigned char answer = 0;
  EXPECT_EQ(raw_host_round_trip(fd, 0xC4, &answer, 5000), -1);  // hung up, not timed out
  close(fd);
  EXPECT_TRUE([&] {
    for (int i = 0; i < 100 && std::filesystem::exists(std::filesystem::symlink_status(link)); ++i)
      std::this_thread::sleep_for(10ms);
    return !std::filesystem::exists(std::filesystem::symlink_status(link));
  }());
  EXPECT_FALSE(simulator->Vanished());  // unplugging is not the end of the simulator

  std::string error;
  const std::string second = simulator->PlugIn(error);
  ASSERT_FALSE(second.empty()) << error;
  EXPECT_EQ(std::filesystem::read_symlink(link), second);
  EXPECT_EQ(simulator->DevicePath(), second);
  fd = raw_host_open(link.c_str(), 38400);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(RoundTrip(fd, 0xC4), 0xFA);  // a fresh module, in its application
  close(fd);
}

TEST(SimulatorPty, WireTimePacesBothDirectionsAtTheHostRate) {
  SimulatorOptions options;
  options.wireTime = true;
  auto simulator = StartSimulator(options);
  const int fd = raw_host_open(simulator->DevicePath().c_str(), 4800);
  ASSERT_GE(fd, 0);
  constexpr int kRoundTrips = 10;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRoundTrips; ++i) ASSERT_EQ(RoundTrip(fd, 0xC4), 0xFA);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // Each round trip is two bytes of 11 bits at 4800 bit/s: a lower bound
  // that no scheduler can make the simulator beat.
  EXPECT_GE(elapsed, std::chrono::microseconds(kRoundTrips * 2 * 11 * 1'000'000 / 4800));
  close(fd);
}

// vrxsim as a user runs it.
std::string VrxsimPath() { return VRXSIM_PATH; }

TEST(VrxsimProgram, PrintsThePathAnswersAndCleansUpOnSigterm) {
  const auto link = TempPath("vrxsim_prog_link");
  const auto flash = TempPath("vrxsim_prog_flash");
  test::BackgroundProcess sim(
      {VrxsimPath(), "--link", link.string(), "--flash", flash.string(), "--loader"});
  const std::string path = sim.ReadLine();
  ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
  ASSERT_EQ(std::filesystem::read_symlink(link), path);
  EXPECT_EQ(std::filesystem::file_size(flash), 0x8000u) << "an erased image to start from";

  int fd = raw_host_open(link.c_str(), 38400);
  ASSERT_GE(fd, 0);
  for (uint8_t value : {uint8_t{0xA5}, uint8_t{0x01}}) RoundTrip(fd, value);
  unsigned char status = 0;
  ASSERT_EQ(raw_host_read(fd, &status, 1, 2000), 1);
  EXPECT_EQ(status, 0x09);
  // One record of zeros at 0x0080 (checksum 0).
  EXPECT_EQ(RoundTrip(fd, 0x5A), 0x5A);
  EXPECT_EQ(RoundTrip(fd, 0x5B), 0x5B);
  RoundTrip(fd, 0x80);
  RoundTrip(fd, 0x00);
  for (int i = 0; i < 128; ++i) RoundTrip(fd, 0x00);
  ASSERT_EQ(raw_host_read(fd, &status, 1, 2000), 1);
  EXPECT_EQ(status, 0x0B);
  RoundTrip(fd, 0x00);
  EXPECT_EQ(RoundTrip(fd, 0x00), 0x00);
  ASSERT_EQ(raw_host_read(fd, &status, 1, 2000), 1);
  EXPECT_EQ(status, 0x0A);
  EXPECT_EQ(RoundTrip(fd, 0x5C), 0x5C);
  close(fd);

  EXPECT_EQ(sim.Stop(SIGTERM), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  std::string error;
  const auto saved = FlashMemory::Load(flash, error);
  ASSERT_TRUE(saved) << error;
  EXPECT_EQ((*saved)[0x7F], 0xFF);
  EXPECT_EQ((*saved)[0x80], 0x00);
  EXPECT_EQ((*saved)[0xFF], 0x00);
  EXPECT_EQ((*saved)[0x100], 0xFF);

  // Started again on the same file, it remembers.
  test::BackgroundProcess again({VrxsimPath(), "--flash", flash.string(), "--loader"});
  const std::string secondPath = again.ReadLine();
  fd = raw_host_open(secondPath.c_str(), 38400);
  ASSERT_GE(fd, 0);
  for (uint8_t value : {uint8_t{0x11}, uint8_t{0x80}}) RoundTrip(fd, value);
  EXPECT_EQ(RoundTrip(fd, 0x00), 0x00);
  unsigned char record[128];
  ASSERT_EQ(raw_host_read(fd, record, 128, 2000), 128);
  EXPECT_EQ(record[0], 0x00);
  close(fd);
  EXPECT_EQ(again.Stop(SIGINT), 0);
  std::filesystem::remove(flash);
}

TEST(VrxsimProgram, LcdOptionDrawsTheCharactersWhenTheHostCloses) {
  test::BackgroundProcess sim({VrxsimPath(), "--lcd"});
  const std::string path = sim.ReadLine();
  const int fd = raw_host_open(path.c_str(), 38400);
  ASSERT_GE(fd, 0);
  for (int value : {0xD5, 0xD7, 0x40, 0xD9, 0x11, 0xD7, 0x80, 0xD7, 0x0E, 0xD9, 0x00}) {
    ASSERT_EQ(RoundTrip(fd, static_cast<uint8_t>(value)), 0xFA);
  }
  close(fd);
  std::string art;
  for (int line = 0; line < 11; ++line) art += sim.ReadLine() + "\n";
  EXPECT_NE(art.find("display on, cursor"), std::string::npos) << art;
  EXPECT_NE(art.find("|#...#"), std::string::npos) << art;
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// A simulator left running for a day of writes must not keep every byte it
// ever saw: after warming up, thousands of flash reads cost it no memory.
TEST(VrxsimProgram, MemoryStaysFlatOverALongSession) {
  test::BackgroundProcess sim({VrxsimPath(), "--loader"});
  const std::string path = sim.ReadLine();
  const int fd = raw_host_open(path.c_str(), 38400);
  ASSERT_GE(fd, 0);
  const auto readRecords = [fd](int count) {
    for (int i = 0; i < count; ++i) {
      RoundTrip(fd, 0x11);
      RoundTrip(fd, 0x80);
      ASSERT_EQ(RoundTrip(fd, 0x00), 0x00);
      unsigned char record[128];
      ASSERT_EQ(raw_host_read(fd, record, 128, 2000), 128);
    }
  };
  readRecords(100);
  const long warm = ResidentKilobytes(sim.pid());
  readRecords(1000);  // 134,000 bytes on the line, 1.6 MB if each were kept
  const long after = ResidentKilobytes(sim.pid());
  close(fd);
  ASSERT_GT(warm, 0);
  EXPECT_LT(after - warm, 512) << "kB grown: " << after - warm;
  EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

TEST(VrxsimProgram, UsageErrorsExitTwoBeforeMakingAPort) {
  auto result = test::RunProcess({VrxsimPath(), "--fault", "record=often"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("bad fault \"record=often\""), std::string::npos) << result.err;
  EXPECT_TRUE(result.out.empty());

  for (std::vector<std::string> command : {std::vector<std::string>{"--adapter", "ftdi:0"},
                                           {"--adapter", "usb"},
                                           {"--adapter", "cdc", "--event-char", "0x00"},
                                           {"--adapter", "ftdi", "--event-char", "0x100"}}) {
    command.insert(command.begin(), VrxsimPath());
    result = test::RunProcess(command);
    EXPECT_EQ(result.exitCode, 2) << command[2];
    EXPECT_TRUE(result.out.empty()) << "no port made for " << command[2];
  }

  result = test::RunProcess({VrxsimPath(), "--no-such-option"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(result.out.empty());

  result = test::RunProcess({VrxsimPath(), "--help"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(result.out.find("--fault"), std::string::npos);
}

}  // namespace
}  // namespace vrx::sim
