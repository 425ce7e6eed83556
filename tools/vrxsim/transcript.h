// Every byte that passed between host and module, in order, so tests can
// compare a conversation byte for byte and bit rate for bit rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vrx::sim {

enum class Direction { kHostToModule, kModuleToHost };

struct TranscriptEntry {
  Direction direction;
  uint8_t value;
  int bitRate;  // the host's bit rate when the byte was read; 0 for module bytes

  bool operator==(const TranscriptEntry&) const = default;
};

using Transcript = std::vector<TranscriptEntry>;

std::vector<uint8_t> HostBytes(const Transcript& transcript);
std::vector<uint8_t> ModuleBytes(const Transcript& transcript);
// One rate per host byte, in the order of HostBytes.
std::vector<int> HostRates(const Transcript& transcript);

// "> C4 @9600" for host bytes and "< FA" for module bytes.
std::string FormatEntry(const TranscriptEntry& entry);

}  // namespace vrx::sim
