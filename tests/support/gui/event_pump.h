// Lets wx process pending events from inside a test.
#pragma once

#include <chrono>
#include <functional>

namespace vrx::test {

// Processes events until `done` holds or `limit` has passed; returns the
// last value of `done`.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(5));

// Processes whatever is pending now (paints, size events, idle).
void PumpPending();

}  // namespace vrx::test
