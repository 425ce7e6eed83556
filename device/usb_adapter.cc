#include "device/usb_adapter.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vrx {
namespace {

struct KnownAdapter {
  std::string_view vendorId;
  std::string_view productId;  // "" for every product of the vendor
  AdapterChip chip;
  std::string_view name;
};

constexpr std::array<KnownAdapter, 12> kKnownAdapters{{
    {"0403", "6001", AdapterChip::kFtdi, "FTDI FT232R"},
    {"0403", "6010", AdapterChip::kFtdi, "FTDI FT2232"},
    {"0403", "6011", AdapterChip::kFtdi, "FTDI FT4232"},
    {"0403", "6014", AdapterChip::kFtdi, "FTDI FT232H"},
    {"0403", "6015", AdapterChip::kFtdi, "FTDI FT-X"},
    {"0403", "", AdapterChip::kFtdi, "FTDI"},
    {"10c4", "", AdapterChip::kCp210x, "Silicon Labs CP210x"},
    {"1a86", "7523", AdapterChip::kCh34x, "WCH CH340"},
    {"1a86", "5523", AdapterChip::kCh34x, "WCH CH341"},
    {"1a86", "", AdapterChip::kCh34x, "WCH CH34x"},
    {"067b", "", AdapterChip::kProlific, "Prolific PL2303"},
    {"", "", AdapterChip::kUnknown, ""},
}};

bool SameHex(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// What the host waits for in a full Write: block 0 read back (8 records:
// 3 answered bytes, then 128 bytes that an adapter hands on in about 3
// waits), erased and written (8 records of 133 answered bytes, plus the
// unasked 0x0B and status), block 4 erased and written (224 records), and
// the connect, mode change, write frames and exit.
constexpr int kRecordWaits = 133 + 2;
constexpr int kWriteWaits = 8 * (3 + 3) + 2 * 3 + (8 + 224) * kRecordWaits + 2 * 2 + 4;
// At 38400 bit/s: a host byte and its answer, 11 bits each.
constexpr std::chrono::microseconds kLineRoundTrip{573};
constexpr std::chrono::milliseconds kLoaderPauses{100 + 1000};

}  // namespace

AdapterIdentity IdentifyAdapter(std::string_view vendorId, std::string_view productId,
                                std::string_view driver) {
  for (const KnownAdapter& known : kKnownAdapters) {
    if (known.vendorId.empty()) break;
    if (SameHex(known.vendorId, vendorId) &&
        (known.productId.empty() || SameHex(known.productId, productId))) {
      return {known.chip, std::string(known.name)};
    }
  }
  if (driver == "cdc_acm") return {AdapterChip::kCdcAcm, "USB CDC-ACM"};
  return {};
}

std::chrono::seconds ExpectedWriteTime(std::chrono::milliseconds latency) {
  const std::chrono::microseconds perWait =
      std::max<std::chrono::microseconds>(latency, kLineRoundTrip);
  return std::chrono::round<std::chrono::seconds>(perWait * kWriteWaits + kLoaderPauses);
}

WriteTimeToTell ExpectedWriteTimeToTell(int latencyTimerMs) {
  const long long seconds =
      ExpectedWriteTime(std::chrono::milliseconds(std::max(latencyTimerMs, 0))).count();
  if (seconds < 90) return {seconds, false};
  return {(seconds + 30) / 60, true};
}

bool LatencyMakesWriteSlow(int latencyTimerMs) { return latencyTimerMs > 2; }

}  // namespace vrx
