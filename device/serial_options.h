#pragma once

#include <chrono>

namespace vrx {

// How long a link waits for the device.  The programs always use the
// defaults; tests of silent devices shorten them.
struct SerialOptions {
  std::chrono::milliseconds readTimeout{2000};
  std::chrono::milliseconds writeTimeout{2000};
};

}  // namespace vrx
