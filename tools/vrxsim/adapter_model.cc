#include "tools/vrxsim/adapter_model.h"

#include <algorithm>
#include <charconv>

namespace vrx::sim {
namespace {

constexpr std::size_t kFtdiPacketData = 62;  // 64-byte packets, 2 of them status

// The first time at or after `atNs` on the grid origin + k * period.
int64_t FirstOnGridFrom(int64_t origin, int64_t period, int64_t atNs) {
  if (atNs <= origin) return origin;
  return origin + (atNs - origin + period - 1) / period * period;
}

}  // namespace

std::optional<AdapterSettings> ParseAdapter(std::string_view text) {
  AdapterSettings settings;
  if (text == "ideal") return settings;
  if (text == "cp210x" || text == "ch34x" || text == "cdc") {
    settings.kind = text == "cp210x"  ? AdapterKind::kCp210x
                    : text == "ch34x" ? AdapterKind::kCh34x
                                      : AdapterKind::kCdc;
    return settings;
  }
  if (text.substr(0, 4) != "ftdi") return std::nullopt;
  settings.kind = AdapterKind::kFtdi;
  if (text.size() == 4) return settings;
  if (text[4] != ':') return std::nullopt;
  const std::string_view digits = text.substr(5);
  int latency = 0;
  const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), latency);
  if (status != std::errc() || end != digits.data() + digits.size() || latency < 1 ||
      latency > 255) {
    return std::nullopt;
  }
  settings.latencyMs = latency;
  return settings;
}

std::string AdapterName(const AdapterSettings& settings) {
  switch (settings.kind) {
    case AdapterKind::kIdeal:
      return "ideal";
    case AdapterKind::kFtdi:
      return "ftdi:" + std::to_string(settings.latencyMs);
    case AdapterKind::kCp210x:
      return "cp210x";
    case AdapterKind::kCh34x:
      return "ch34x";
    case AdapterKind::kCdc:
      return "cdc";
  }
  return "ideal";
}

AdapterDelivery::AdapterDelivery(AdapterSettings settings, int64_t startNs)
    : settings_(settings),
      // The frame models may send in the very first frame.
      lastPacketNs_(settings.kind == AdapterKind::kFtdi ? startNs : startNs - kUsbFrameNs) {}

std::size_t AdapterDelivery::PacketBytes() const {
  switch (settings_.kind) {
    case AdapterKind::kIdeal:
      return 1;
    case AdapterKind::kFtdi:
      return kFtdiPacketData;
    case AdapterKind::kCh34x:
      return 32;
    case AdapterKind::kCp210x:
    case AdapterKind::kCdc:
      return 64;
  }
  return 1;
}

void AdapterDelivery::Arrive(uint8_t byte, int64_t atNs) {
  if (!held_.empty()) atNs = std::max(atNs, held_.back().arrivedNs);
  held_.push_back({byte, atNs});
}

std::pair<int64_t, std::size_t> AdapterDelivery::NextPacket() const {
  const std::size_t room = std::min(PacketBytes(), held_.size());
  const int64_t first = held_.front().arrivedNs;
  int64_t sendNs = first;
  if (settings_.kind == AdapterKind::kFtdi) {
    const int64_t latency = int64_t{settings_.latencyMs} * 1'000'000;
    // The timer runs out on the grid of the last packet sent (status-only
    // packets keep that grid when nothing is held)...
    sendNs = FirstOnGridFrom(lastPacketNs_ + latency, latency, first);
    // ...unless the packet fills or the event character comes first.
    for (std::size_t i = 0; i < room; ++i) {
      const bool fills = i + 1 == kFtdiPacketData;
      // The chip ignores the event character in the first position of its
      // buffer: a lone answer byte waits for the timer all the same.
      const bool event = i > 0 && settings_.eventChar && held_[i].byte == *settings_.eventChar;
      if (held_[i].arrivedNs > sendNs) break;
      if (fills || event) {
        sendNs = held_[i].arrivedNs;
        return {sendNs, i + 1};
      }
    }
  } else if (settings_.kind != AdapterKind::kIdeal) {
    sendNs = FirstOnGridFrom(lastPacketNs_ + kUsbFrameNs, kUsbFrameNs, first);
  }
  std::size_t count = 0;
  while (count < room && held_[count].arrivedNs <= sendNs) ++count;
  return {sendNs, count};
}

std::optional<int64_t> AdapterDelivery::NextSendNs() const {
  if (held_.empty()) return std::nullopt;
  return NextPacket().first;
}

std::vector<uint8_t> AdapterDelivery::TakeSent(int64_t nowNs) {
  std::vector<uint8_t> sent;
  while (!held_.empty()) {
    const auto [sendNs, count] = NextPacket();
    if (sendNs > nowNs) break;
    for (std::size_t i = 0; i < count; ++i) {
      sent.push_back(held_.front().byte);
      held_.pop_front();
    }
    lastPacketNs_ = sendNs;
  }
  return sent;
}

}  // namespace vrx::sim
