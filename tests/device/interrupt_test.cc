// Ctrl-C during a session: the link refuses the next exchange, and a
// window program (no handler of its own) still ends by the signal, but
// only once its session is over.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

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
    auto link = SerialLink::Open("COM1", 38400, device->Options());
    if (!link) _exit(4);
    const bool written = link->WriteByte(0xC4);
    _exit(written || errno != EINTR || !device->sent.empty() ? 5 : 0);
  });
  EXPECT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace vrx
