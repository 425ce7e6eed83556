// Ctrl-C, SIGTERM and SIGHUP during a device session.  Ending the process at
// once would leave the port locked and the module in the middle of a
// command, so while a session runs these only raise a flag; the session
// polls it between byte exchanges, stops, and closes the port the normal way.
#pragma once

namespace vrx {

// True once one of the signals arrived while caught (stays true).
bool InterruptRequested();

// Catches the signals for the rest of the process: the program itself
// checks InterruptRequested() and ends (vrxtool: message, exit 130).
void CatchInterruptsForProcess();

// Catches the signals while a session runs.  When a signal arrived and the
// process had no handler of its own for it before, the destructor delivers
// it again once the handlers are restored, so a window program ends as the
// signal asked, only after its session has released the port.
class InterruptScope {
 public:
  InterruptScope();
  ~InterruptScope();
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;
};

// Keeps the caught signals off the calling thread while it only waits for
// session threads (created before this).  The kernel then hands a signal to
// a session thread: its blocking read returns, the flag is up before that
// session acts on the next answer, and it stops at the next safe point.  A
// waiting thread may be scheduled much later on a busy machine, by which
// time a session could have passed its last safe point.
class InterruptsGoToSessions {
 public:
  InterruptsGoToSessions();
  ~InterruptsGoToSessions();
  InterruptsGoToSessions(const InterruptsGoToSessions&) = delete;
  InterruptsGoToSessions& operator=(const InterruptsGoToSessions&) = delete;

 private:
  unsigned alreadyBlocked_ = 0;  // one bit per caught signal
};

}  // namespace vrx
