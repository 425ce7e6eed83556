// Test processes that talk through pseudo-terminals lead a session of their
// own when the test runner starts them.
//
// With the kernel's automatic grouping by session (sched_autogroup, on by
// default), every process of a session is scheduled as one group against
// the kernel's own workers.  A pseudo-terminal hands each byte on through
// such a worker, and beside a CPU load started in the same session as the
// tests (`stress-ng --cpu 4 & ctest`, 2 cores) a worker that was ready to
// hand on a byte waited up to 2.9 s without running (ftrace of the eight-
// port run), past the loader's 2000 ms answer time-out.  With the load in
// another session it waited at most 4 ms, with the grouping off 10 ms.
// A session of its own is what a test run in a separate terminal or CI job
// has anyway.
#pragma once

namespace vrx::test {

// Moves the calling process into a new session, and has it end with a
// SIGTERM when the process that started it ends (Ctrl-C on a ctest run no
// longer reaches it directly).  Does nothing and returns false for a
// process group leader: one started by hand from a shell stays in that
// shell's session, so Ctrl-C there still stops it.
bool LeadOwnSessionUnlessStartedByHand();

}  // namespace vrx::test
