// Which USB serial adapter chip stands behind a port, from its USB vendor
// and product ids (or its driver), and what that means for a Write: the
// loader answers each host byte on its own, so every answer waits for the
// adapter to hand it on.  An FTDI chip holds a lone byte for its whole
// latency timer, 16 ms unless lowered: about 8 minutes per Write instead
// of half a minute.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vrx {

enum class AdapterChip { kUnknown, kFtdi, kCp210x, kCh34x, kProlific, kCdcAcm };

struct AdapterIdentity {
  AdapterChip chip = AdapterChip::kUnknown;
  std::string name;  // "FTDI FT232R", "Silicon Labs CP210x", ... ("" when unknown)
};

// `vendorId`/`productId` as four hex digits in either case (sysfs gives
// "0403", Windows "VID_0403"'s digits); `driver` the Linux driver's name
// ("cdc_acm" marks a CDC-ACM device of any maker), "" elsewhere.
AdapterIdentity IdentifyAdapter(std::string_view vendorId, std::string_view productId,
                                std::string_view driver = {});

// How long a full Write (block 0 read back and rewritten, block 4 erased
// and written, at 38400 bit/s) takes when each answer waits `latency` at
// the adapter: the answers the host waits for times the longer of the
// latency and the line's own round trip, plus the loader's fixed pauses.
std::chrono::seconds ExpectedWriteTime(std::chrono::milliseconds latency);

// That time as every program words it (vrxtool's "about 8 min", the port
// lists' "約8分"), so that they all name the same figure: whole minutes,
// rounded, from a minute and a half on; whole seconds below.
struct WriteTimeToTell {
  long long amount = 0;
  bool inMinutes = false;
};
WriteTimeToTell ExpectedWriteTimeToTell(int latencyTimerMs);

// Whether a port with this FTDI latency timer makes a Write slow enough to
// warn about (above 2 ms: a Write of more than a minute).
bool LatencyMakesWriteSlow(int latencyTimerMs);

}  // namespace vrx
