// A scripted module for unit tests: each expected host byte releases the
// answer bytes the script gives it; everything the host writes is recorded
// with the bit rate of the port it went through.  Reads never sleep: a read
// that finds too few released bytes returns what there is, as a time-out.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "device/serial_options.h"
#include "device/serial_port.h"

namespace vrx::test {

class FakeDevice : public std::enable_shared_from_this<FakeDevice> {
 public:
  // The host byte `host` draws `answer` (possibly nothing, possibly several
  // bytes the device sends unasked after its answer).
  FakeDevice& On(uint8_t host, std::vector<uint8_t> answer);
  // Bytes the host should write, in order, as the script expects them.
  std::vector<uint8_t> ExpectedHostBytes() const { return expectedHost_; }

  // SerialOptions whose opener hands out ports onto this device.
  SerialOptions Options();

  // Faults (all 1-based, 0 = never): refuse the n-th open; fail the write of
  // the n-th host byte; fail the n-th read call and every one after it.
  int refuseOpenNumber = 0;
  std::size_t failWriteNumber = 0;
  std::size_t failReadsFrom = 0;

  struct Sent {
    uint8_t byte;
    int bitRate;
  };
  std::vector<Sent> sent;           // every byte the host wrote
  std::vector<std::string> events;  // "open NAME RATE", "refused NAME RATE", "close"
  std::vector<int> pauses;          // ms of each loader pause
  std::size_t scriptUnused() const { return script_.size(); }

  std::vector<uint8_t> SentBytes() const;

 private:
  friend class FakePort;
  struct Step {
    uint8_t host;
    std::vector<uint8_t> answer;
  };
  std::deque<Step> script_;
  std::vector<uint8_t> expectedHost_;
  std::deque<uint8_t> released_;
  int opens_ = 0;
  std::size_t reads_ = 0;
};

}  // namespace vrx::test
