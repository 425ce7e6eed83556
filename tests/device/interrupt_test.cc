// Ctrl-C during a session: a session given the flag as its cancellation
// check stops before its next command, and a window program (no handler
// of its own) still ends by the signal, but only once its session is over.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
}  // namespace vrx
