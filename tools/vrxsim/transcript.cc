#include "tools/vrxsim/transcript.h"

#include <cstdio>

namespace vrx::sim {
namespace {

std::vector<uint8_t> BytesFrom(const Transcript& transcript, Direction direction) {
  std::vector<uint8_t> bytes;
  for (const TranscriptEntry& entry : transcript) {
    if (entry.direction == direction) bytes.push_back(entry.value);
  }
  return bytes;
}

}  // namespace

std::vector<uint8_t> HostBytes(const Transcript& transcript) {
  return BytesFrom(transcript, Direction::kHostToModule);
}

std::vector<uint8_t> ModuleBytes(const Transcript& transcript) {
  return BytesFrom(transcript, Direction::kModuleToHost);
}

std::vector<int> HostRates(const Transcript& transcript) {
  std::vector<int> rates;
  for (const TranscriptEntry& entry : transcript) {
    if (entry.direction == Direction::kHostToModule) rates.push_back(entry.bitRate);
  }
  return rates;
}

std::string FormatEntry(const TranscriptEntry& entry) {
  char text[32];
  if (entry.direction == Direction::kHostToModule) {
    std::snprintf(text, sizeof text, "> %02X @%d", entry.value, entry.bitRate);
  } else {
    std::snprintf(text, sizeof text, "< %02X", entry.value);
  }
  return text;
}

}  // namespace vrx::sim
