#include "tests/support/own_session.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace vrx::test {
namespace {

// Runs `body` in a forked child and returns its exit status (the child's
// own answer), or -1 when it did not exit normally.
int InChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(20);  // a child that never answers fails the test instead of hanging it
    _exit(body());
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(OwnSession, AProcessStartedByARunnerLeadsItsOwnSessionAndFollowsItsStarter) {
  // Started as a runner starts a suite: a child in the runner's process group.
  EXPECT_EQ(InChild([] {
              const pid_t sessionBefore = getsid(0);
              if (!LeadOwnSessionUnlessStartedByHand()) return 1;
              if (getsid(0) != getpid() || getsid(0) == sessionBefore) return 2;
              int deathSignal = 0;
              prctl(PR_GET_PDEATHSIG, &deathSignal);
              return deathSignal == SIGTERM ? 0 : 3;
            }),
            0);
}

TEST(OwnSession, AProcessStartedByHandStaysInItsShellsSession) {
  // A shell with job control makes each command a process group leader.
  EXPECT_EQ(InChild([] {
              if (setpgid(0, 0) != 0) return 1;
              const pid_t sessionBefore = getsid(0);
              if (LeadOwnSessionUnlessStartedByHand()) return 2;
              return getsid(0) == sessionBefore ? 0 : 3;
            }),
            0);
}

TEST(OwnSession, TheSuiteEndsWhenTheRunnerThatStartedItEnds) {
  // A reaper stands in for init, so that the orphaned suite's end can be
  // read: reaper → runner → suite.  The runner ends as soon as the suite is
  // set up, and the suite must then get its SIGTERM.
  EXPECT_EQ(InChild([] {
              prctl(PR_SET_CHILD_SUBREAPER, 1);
              int ready[2];
              if (pipe(ready) != 0) return 1;
              const pid_t runner = fork();
              if (runner == 0) {
                if (fork() == 0) {
                  const char answer = LeadOwnSessionUnlessStartedByHand() ? 'y' : 'n';
                  if (write(ready[1], &answer, 1) != 1) _exit(1);
                  alarm(10);  // a suite that missed its signal must not outlive the test
                  for (;;) pause();
                }
                char answer = 0;
                _exit(read(ready[0], &answer, 1) == 1 && answer == 'y' ? 0 : 1);
              }
              int status = 0;
              if (waitpid(runner, &status, 0) != runner || status != 0) return 2;
              const pid_t suite = wait(&status);  // reparented to this reaper
              if (suite <= 0) return 3;
              return WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM ? 0 : 4;
            }),
            0);
}

}  // namespace
}  // namespace vrx::test
