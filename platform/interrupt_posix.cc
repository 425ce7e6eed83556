#include <pthread.h>
#include <signal.h>

#include <array>
#include <atomic>

#include "platform/interrupt.h"

namespace vrx {
namespace {

constexpr std::array<int, 3> kCaughtSignals = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> caughtSignal{0};
bool caughtForProcess = false;
int scopeDepth = 0;
std::array<struct sigaction, kCaughtSignals.size()> previousActions{};

extern "C" void RememberSignal(int signal) { caughtSignal.store(signal); }

void InstallCatcher() {
  struct sigaction action {};
  action.sa_handler = RememberSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocking wait returns to be polled
  for (std::size_t i = 0; i < kCaughtSignals.size(); ++i) {
    sigaction(kCaughtSignals[i], nullptr, &previousActions[i]);
    // A signal the process was started to ignore (nohup) stays ignored.
    if (previousActions[i].sa_handler != SIG_IGN) sigaction(kCaughtSignals[i], &action, nullptr);
  }
}

}  // namespace

bool InterruptRequested() { return caughtSignal.load() != 0; }

void CatchInterruptsForProcess() {
  if (caughtForProcess) return;
  InstallCatcher();
  caughtForProcess = true;
}

InterruptScope::InterruptScope() {
  if (scopeDepth++ == 0 && !caughtForProcess) InstallCatcher();
}

InterruptScope::~InterruptScope() {
  if (--scopeDepth != 0 || caughtForProcess) return;
  for (std::size_t i = 0; i < kCaughtSignals.size(); ++i)
    sigaction(kCaughtSignals[i], &previousActions[i], nullptr);
  const int signal = caughtSignal.load();
  if (signal == 0) return;
  for (std::size_t i = 0; i < kCaughtSignals.size(); ++i) {
    if (kCaughtSignals[i] != signal) continue;
    if (previousActions[i].sa_handler == SIG_DFL) raise(signal);
  }
}

InterruptsGoToSessions::InterruptsGoToSessions() {
  sigset_t caught, previous;
  sigemptyset(&caught);
  for (int signal : kCaughtSignals) sigaddset(&caught, signal);
  pthread_sigmask(SIG_BLOCK, &caught, &previous);
  for (std::size_t i = 0; i < kCaughtSignals.size(); ++i)
    if (sigismember(&previous, kCaughtSignals[i]) == 1) alreadyBlocked_ |= 1u << i;
}

// A signal that came while blocked is handled here, on this thread.
InterruptsGoToSessions::~InterruptsGoToSessions() {
  sigset_t unblock;
  sigemptyset(&unblock);
  for (std::size_t i = 0; i < kCaughtSignals.size(); ++i)
    if ((alreadyBlocked_ & (1u << i)) == 0) sigaddset(&unblock, kCaughtSignals[i]);
  pthread_sigmask(SIG_UNBLOCK, &unblock, nullptr);
}

}  // namespace vrx
