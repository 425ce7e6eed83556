// Windows backend: Ctrl-C, Ctrl-Break and closing the console window arrive
// as console control events on a thread of their own; they only raise the
// flag the session polls.
#include <windows.h>

#include <atomic>

#include "platform/interrupt.h"

namespace vrx {
namespace {

std::atomic<bool> interrupted{false};
bool caughtForProcess = false;
int scopeDepth = 0;

BOOL WINAPI RememberControlEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  interrupted.store(true);
  return TRUE;
}

}  // namespace

bool InterruptRequested() { return interrupted.load(); }

void CatchInterruptsForProcess() {
  if (caughtForProcess) return;
  SetConsoleCtrlHandler(RememberControlEvent, TRUE);
  caughtForProcess = true;
}

InterruptScope::InterruptScope() {
  if (scopeDepth++ == 0 && !caughtForProcess) SetConsoleCtrlHandler(RememberControlEvent, TRUE);
}

InterruptScope::~InterruptScope() {
  if (--scopeDepth != 0 || caughtForProcess) return;
  SetConsoleCtrlHandler(RememberControlEvent, FALSE);
  // The process asked for no handling of its own: end it the way Ctrl-C
  // would have, now that the port is closed.
  if (interrupted.load()) ExitProcess(STATUS_CONTROL_C_EXIT);
}

// Console control events have a thread of their own: nothing to steer.
InterruptsGoToSessions::InterruptsGoToSessions() = default;
InterruptsGoToSessions::~InterruptsGoToSessions() = default;

}  // namespace vrx
