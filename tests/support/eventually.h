// Waiting on a state instead of sleeping for it: the bound is generous
// because it costs nothing when the state comes, and a busy machine may
// take seconds where an idle one takes milliseconds.
#pragma once

#include <chrono>
#include <functional>

namespace vrx::test {

// Polls `done` until it holds (true) or `limit` has passed (false).
bool EventuallyTrue(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::seconds(20));

}  // namespace vrx::test
