// Ctrl-C during a session: a session given the flag as its cancellation
// check stops before its next command, and a window program (no handler
// of its own) still ends by the signal, but only once its session is over.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "device/loader.h"
#include "device/serial_link.h"
#include "platform/interrupt.h"
#include "tests/device/fake_device.h"

namespace vrx {
namespace {

// Runs `body` in a child process; returns its wait status.
template <typename Body>
int InChild(Body body) {
  const pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST(Interrupt, AWindowProgramEndsByTheSignalOnlyAfterItsSession) {
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  const int status = InChild([&] {
    {
      InterruptScope session;
      raise(SIGINT);
      // Still alive: the session goes on to its next boundary.
      const char step = InterruptRequested() ? 'i' : '-';
      [[maybe_unused]] ssize_t sent = write(report[1], &step, 1);
    }
    [[maybe_unused]] ssize_t sent = write(report[1], "x", 1);  // never reached
  });
  close(report[1]);
  char steps[4] = {};
  EXPECT_EQ(read(report[0], steps, sizeof steps), 1);
  close(report[0]);
  EXPECT_EQ(steps[0], 'i');
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
}

TEST(Interrupt, ACommandLineProgramDecidesItselfAndTheLinkStops) {
  const int status = InChild([] {
    CatchInterruptsForProcess();
    {
      InterruptScope session;
      raise(SIGTERM);
    }
    if (!InterruptRequested()) _exit(3);
    auto device = std::make_shared<test::FakeDevice>();
    device->On(0xC4, {0xC4});
    SerialOptions options = device->Options();
    options.cancelled = InterruptRequested;
    auto link = SerialLink::Open("COM1", 38400, options).link;
    if (!link) _exit(4);
    const LoaderResult connected = LoaderConnect(*link);
    _exit(connected != LoaderResult::kInterrupted || !device->sent.empty() ? 5 : 0);
  });
  EXPECT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// True once thread `tid` of this process sleeps, at most `limit` later.
bool Sleeping(pid_t tid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const std::string stat = "/proc/self/task/" + std::to_string(tid) + "/stat";
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream in(stat);
    std::string line;
    std::getline(in, line);
    const std::size_t end = line.rfind(')');
    if (end != std::string::npos && line.compare(end + 1, 3, " S ") == 0) return true;
    std::this_thread::yield();
  }
  return false;
}

// vrxtool waits for its port threads: a Ctrl-C must cut short the wait of
// the session thread itself, not only wake the waiting main thread, which a
// busy machine may run too late to stop a session in time.
TEST(Interrupt, ASignalToAProgramWaitingForItsSessionsReachesTheSessionThread) {
  const int status = InChild([] {
    CatchInterruptsForProcess();
    int line[2];
    if (pipe(line) != 0) _exit(3);
    std::atomic<pid_t> sessionTid{0};
    std::atomic<bool> waitCutShort{false};
    std::thread session([&] {
      sessionTid = gettid();
      pollfd answer{line[0], POLLIN, 0};
      const int ready = poll(&answer, 1, 2000);  // the answer time-out
      waitCutShort = ready < 0 && errno == EINTR && InterruptRequested();
    });
    {
      const InterruptsGoToSessions waiting;
      while (sessionTid.load() == 0) std::this_thread::yield();
      if (!Sleeping(sessionTid.load(), std::chrono::seconds(2))) _exit(4);
      kill(getpid(), SIGINT);
      session.join();
    }
    _exit(waitCutShort.load() ? 0 : 5);
  });
  EXPECT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace vrx
