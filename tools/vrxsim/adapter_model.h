// How the module's answer bytes reach the host through a USB serial
// adapter.  The module's line hands each byte to the adapter when its stop
// bit is through; the adapter hands bytes to the host in USB packets on
// its own schedule.  Display-free and clock-free: times are nanoseconds on
// whatever clock the caller uses.
//
//   ideal   every byte at once (a pseudo-terminal, a built-in UART)
//   ftdi    62 data bytes per 64-byte packet; a packet leaves when it is
//           full, when the event character arrives behind another byte (if
//           the host set one; the chip ignores it in the first position),
//           or when the latency timer, restarted by every packet sent,
//           runs out
//   cp210x, ch34x, cdc
//           what has arrived leaves at the next 1 ms USB frame, up to one
//           packet (64, 32 and 64 bytes) per frame
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrx::sim {

enum class AdapterKind { kIdeal, kFtdi, kCp210x, kCh34x, kCdc };

struct AdapterSettings {
  AdapterKind kind = AdapterKind::kIdeal;
  int latencyMs = 16;                // ftdi: the latency timer (1..255)
  std::optional<uint8_t> eventChar;  // ftdi: the event character the host set
};

// "ideal", "ftdi", "ftdi:LATENCY_MS", "cp210x", "ch34x" or "cdc"; nullopt
// for anything else (latency outside 1..255 included).
std::optional<AdapterSettings> ParseAdapter(std::string_view text);
// The name ParseAdapter reads, e.g. "ftdi:16".
std::string AdapterName(const AdapterSettings& settings);

class AdapterDelivery {
 public:
  static constexpr int64_t kUsbFrameNs = 1'000'000;

  explicit AdapterDelivery(AdapterSettings settings, int64_t startNs = 0);

  // A byte from the module's line reaches the adapter at `atNs` (not
  // earlier than the byte before it).
  void Arrive(uint8_t byte, int64_t atNs);
  // When the next packet leaves; nullopt when nothing is held.
  std::optional<int64_t> NextSendNs() const;
  // The bytes whose packets have left by `nowNs`, in order, removed.
  std::vector<uint8_t> TakeSent(int64_t nowNs);

 private:
  struct Held {
    uint8_t byte;
    int64_t arrivedNs;
  };
  std::size_t PacketBytes() const;
  // When the packet that would hold the first byte held leaves, and how
  // many bytes go in it.
  std::pair<int64_t, std::size_t> NextPacket() const;

  AdapterSettings settings_;
  std::deque<Held> held_;
  int64_t lastPacketNs_;  // ftdi: the latency timer restarts here
};

}  // namespace vrx::sim
