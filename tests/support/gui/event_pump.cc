#include "tests/support/gui/event_pump.h"

#include <wx/app.h>

#include <thread>

namespace vrx::test {

void PumpPending() {
  if (!wxTheApp) return;
  wxTheApp->ProcessPendingEvents();
  wxTheApp->Yield(true);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    PumpPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace vrx::test
