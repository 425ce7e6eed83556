// What only a real tty shows, on a pseudo-terminal: raw bytes both ways,
// exclusivity, time-outs and refused rates.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "device/serial_link.h"
#include "platform/port_diagnosis.h"
#include "resources/port_messages.h"
#include "tests/support/eventually.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

using std::chrono::milliseconds;

class PtyLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[256];
    ASSERT_EQ(openpty(&master_, &slave_, name, nullptr, nullptr), 0);
    slavePath_ = name;
    // The far side is a module: raw on the master, and the slave is left
    // as a fresh tty starts (IXON, ICRNL, OPOST, ISIG on).
    termios t{};
    ASSERT_EQ(tcgetattr(slave_, &t), 0);
    t.c_iflag |= IXON | ICRNL;
    t.c_oflag |= OPOST | ONLCR;
    t.c_lflag |= ISIG | ICANON | ECHO;
    ASSERT_EQ(tcsetattr(slave_, TCSANOW, &t), 0);
    close(slave_);  // the link opens it by path; the master keeps it alive
    // options_ keeps the programs' own time-outs: the pty's bytes reach the
    // slave through a kernel worker that a busy machine may hold back.
  }
  void TearDown() override {
    if (master_ >= 0) close(master_);
  }

  std::optional<SerialLink> Open(int bitRate = 38400) {
    return SerialLink::Open(slavePath_, bitRate, options_).link;
  }
  // Why opening at `bitRate` fails (0 when it does not).
  int OpenError(int bitRate = 38400) { return SerialLink::Open(slavePath_, bitRate, options_).error; }
  void MasterWrite(std::initializer_list<uint8_t> bytes) {
    std::vector<uint8_t> v(bytes);
    ASSERT_EQ(write(master_, v.data(), v.size()), static_cast<ssize_t>(v.size()));
  }
  std::vector<uint8_t> MasterRead(std::size_t count) {
    std::vector<uint8_t> got;
    uint8_t buffer[256];
    const auto deadline = std::chrono::steady_clock::now() + options_.readTimeout;
    while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }

  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  SerialOptions options_;
};

TEST_F(PtyLinkTest, BinaryBytesPassUnchangedBothWays) {
  auto link = Open();
  ASSERT_TRUE(link);
  // XON, XOFF, CR, LF, ^C, DEL, 0xFF: none may be eaten or translated.
  const std::vector<uint8_t> bytes{0x11, 0x13, 0x0D, 0x0A, 0x03, 0x7F, 0xFF, 0x00};
  for (uint8_t b : bytes) ASSERT_TRUE(link->WriteByte(b));
  EXPECT_EQ(MasterRead(bytes.size()), bytes);

  MasterWrite({0x11, 0x13, 0x0D, 0x0A, 0x03, 0x7F, 0xFF, 0x00});
  std::vector<uint8_t> got(bytes.size());
  EXPECT_EQ(link->ReadBytes(got.data(), got.size()), static_cast<int>(bytes.size()));
  EXPECT_EQ(got, bytes);
}

TEST_F(PtyLinkTest, SetsTheRateAndRefusesRateZero) {
  {
    auto link = Open(9600);
    ASSERT_TRUE(link);
    termios t{};
    ASSERT_EQ(tcgetattr(master_, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
  }
  EXPECT_EQ(OpenError(0), EINVAL);
  EXPECT_EQ(OpenError(-1), EINVAL);
  EXPECT_TRUE(Open(14400));  // no B-constant, set exactly
  EXPECT_TRUE(Open(128000));
}

TEST_F(PtyLinkTest, ReopenWithUnchangedSettingsSucceeds) {
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(OpenError(38400), 0) << "open " << i;
  }
}

TEST_F(PtyLinkTest, SecondOpenFailsUntilTheFirstCloses) {
  auto first = Open();
  ASSERT_TRUE(first);
  EXPECT_EQ(OpenError(), EBUSY);

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(Open() ? 0 : 7);  // another process is refused too
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7);

  first->Close();
  EXPECT_EQ(OpenError(), 0);  // exclusivity released on close
}

TEST_F(PtyLinkTest, SilenceTimesOutAndShortReadsCount) {
  {
    options_.readTimeout = milliseconds(50);  // nothing is sent: only silence is awaited
    auto link = Open();
    ASSERT_TRUE(link);
    uint8_t byte = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link->ReadByte(byte), SerialLink::ReadStatus::kTimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, options_.readTimeout);
  }

  // The whole time-out is waited for the missing last byte.
  options_ = SerialOptions{};
  auto link = Open();
  ASSERT_TRUE(link);
  std::vector<uint8_t> sent(127, 0x5A);
  ASSERT_EQ(write(master_, sent.data(), sent.size()), 127);
  std::vector<uint8_t> got(128);
  EXPECT_EQ(link->ReadBytes(got.data(), got.size()), 127);
}

TEST_F(PtyLinkTest, VanishedDeviceFailsInsteadOfHanging) {
  auto link = Open();
  ASSERT_TRUE(link);
  close(master_);
  master_ = -1;
  uint8_t byte = 0;
  EXPECT_EQ(link->ReadByte(byte), SerialLink::ReadStatus::kFailed);
}

TEST_F(PtyLinkTest, MissingPortAndNamesThroughTheMapping) {
  const LinkOpening missing = SerialLink::Open("/dev/no-such-port", 38400, options_);
  EXPECT_FALSE(missing.link);
  EXPECT_EQ(missing.error, ENOENT);

  const test::ScratchFolder folder("ports-link");
  const std::string map = (folder.path() / "ports.conf").string();
  std::ofstream(map) << "COM7=" << slavePath_ << "\n";
  setenv("VRX_PORT_MAP", map.c_str(), 1);
  auto viaName = SerialLink::Open("COM7", 38400, options_).link;
  unsetenv("VRX_PORT_MAP");
  ASSERT_TRUE(viaName);
  ASSERT_TRUE(viaName->WriteByte(0xC4));
  EXPECT_EQ(MasterRead(1), std::vector<uint8_t>{0xC4});
}

// What one session leaves behind must not trouble the next: answers still
// on the line, changed settings, the exclusive flag of a killed process.
class PtySessionTest : public PtyLinkTest {
 protected:
  // A descriptor on the slave that takes no lock (root may always open).
  int Probe() { return open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK); }
  bool ExclusiveFlagSet() {
    const int probe = Probe();
    if (probe < 0) return errno == EBUSY;
    int exclusive = 0;
    ioctl(probe, TIOCGEXCL, &exclusive);
    close(probe);
    return exclusive != 0;
  }
  // A child process that runs `take` and then waits to be killed, holding
  // what it took; its pid once `take` succeeded, else -1.
  template <typename Take>
  pid_t HoldInChild(Take take) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
      const char state = take() ? 'y' : 'n';
      [[maybe_unused]] ssize_t sent = write(ready[1], &state, 1);
      close(STDOUT_FILENO);  // never keep the test runner's output open
      close(STDERR_FILENO);
      pause();
      _exit(0);
    }
    close(ready[1]);
    char state = 'n';
    const bool told = read(ready[0], &state, 1) == 1;
    close(ready[0]);
    if (told && state == 'y') return child;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
  }
};

TEST_F(PtySessionTest, AnAnswerLeftOnTheLineIsDiscardedAtOpen) {
  MasterWrite({0xFA, 0x0A});
  const int probe = Probe();
  ASSERT_GE(probe, 0);
  EXPECT_TRUE(test::EventuallyTrue([probe] {
    int waiting = 0;
    return ioctl(probe, FIONREAD, &waiting) == 0 && waiting == 2;
  })) << "the answer never reached the line";
  close(probe);
  auto link = Open();
  ASSERT_TRUE(link);
  MasterWrite({0x5A});  // what comes after the open is kept, and comes first
  uint8_t byte = 0;
  EXPECT_EQ(link->ReadByte(byte), SerialLink::ReadStatus::kByte);
  EXPECT_EQ(byte, 0x5A);
}

// A pseudo-terminal gets the lock but never the exclusive flag: the flag
// would outlive a holder killed outright (the master keeps the terminal),
// and every later open would fail.  Real ttys get both; the kernel drops
// their flag with the last close.
TEST_F(PtySessionTest, CloseRestoresTheLineAndAPtyNeverGetsTheFlag) {
  const int probe = Probe();
  ASSERT_GE(probe, 0);
  termios before{};
  ASSERT_EQ(tcgetattr(probe, &before), 0);
  {
    auto link = Open(9600);
    ASSERT_TRUE(link);
    EXPECT_FALSE(ExclusiveFlagSet());
  }
  termios after{};
  ASSERT_EQ(tcgetattr(probe, &after), 0);
  close(probe);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
  EXPECT_FALSE(ExclusiveFlagSet());
}

TEST_F(PtySessionTest, AProcessKilledOutrightLeavesThePortUsable) {
  const pid_t child = HoldInChild([this] {
    static std::optional<SerialLink> held;  // open until the child is killed
    held = Open();
    return held.has_value();
  });
  ASSERT_GT(child, 0);
  EXPECT_FALSE(Open()) << "held by the child";
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);  // the kernel has closed its descriptors and lock
  EXPECT_FALSE(ExclusiveFlagSet());
  EXPECT_EQ(OpenError(), 0);
}

// Root could open past another program's flag; the programs respect it.
TEST_F(PtySessionTest, AnotherProgramsFlagIsRespectedEvenByRoot) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can reopen a terminal whose flag is set";
  const int probe = Probe();
  ASSERT_GE(probe, 0);
  ASSERT_EQ(ioctl(probe, TIOCEXCL), 0);
  EXPECT_EQ(OpenError(), EBUSY);
  ASSERT_EQ(ioctl(probe, TIOCNXCL), 0);
  close(probe);
  EXPECT_EQ(OpenError(), 0);
}

TEST_F(PtySessionTest, APortHeldByAnotherProgramFailsAndNamesIt) {
  const pid_t holder = HoldInChild([this] { return ioctl(Probe(), TIOCEXCL) == 0; });
  ASSERT_GT(holder, 0);
  struct KillAtEnd {
    pid_t pid;
    ~KillAtEnd() {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  } killAtEnd{holder};

  const int error = OpenError();
  EXPECT_EQ(error, EBUSY);
  const std::string cause = port_msg::CauseText(DiagnosePortOpenFailure(slavePath_, 38400, error));
  EXPECT_THAT(cause, ::testing::HasSubstr("プロセス " + std::to_string(holder) + " ("));
  EXPECT_THAT(cause, ::testing::HasSubstr("が使用中です。"));
  const auto users = FindPortUsers(slavePath_);
  ASSERT_EQ(users.size(), 1u);
  EXPECT_EQ(users[0].pid, holder);
}

}  // namespace
}  // namespace vrx
