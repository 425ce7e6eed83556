// Texts about serial ports: the cause line under a port-open failure, the
// port descriptions beside the port lists, and the interruption notice.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vrx {
struct PortDiagnosis;
struct PortLocation;
}  // namespace vrx

namespace vrx::port_msg {

// (process id, process name) pairs, as found holding a port.
using ProcessList = std::vector<std::pair<int, std::string>>;

std::string NoSpeedSelected();
std::string NoPortSelected();
std::string NotMapped(std::string_view name, std::string_view mapFile);
std::string Missing(std::string_view path);
std::string PermissionDenied(std::string_view path, std::string_view group);
std::string InUseBy(std::string_view path, const ProcessList& users);
std::string InUse(std::string_view path);
std::string NotSerial(std::string_view path);
std::string OtherError(std::string_view path, std::string_view reason);
// The port answers nothing while other processes have it open.
std::string AlsoOpenBy(std::string_view path, const ProcessList& users);
// The module answers nothing: only switching it off and on brings back a
// module left inside a command.
std::string PowerCycleModule();

// The line under a port message for what was found ("" when nothing).
std::string CauseText(const PortDiagnosis& diagnosis);

// Beside a port name: "<path>" if present, "<path> (未接続)", or "未接続"
// when the name stands for no device path.
std::string NotConnected();
std::string PathNotConnected(std::string_view path);
std::string PortDescription(const PortLocation& location);

// Under the port list when the port's FTDI latency timer makes a Write
// slow: "遅延 16 ms：書込みに約8分かかります".  The Write's time comes
// rounded as ExpectedWriteTimeToTell rounds it (device/usb_adapter.h).
std::string SlowAdapter(int latencyTimerMs, long long writeTime, bool inMinutes);

// A session stopped by Ctrl-C or a termination signal.
std::string_view Interrupted();

// On stderr when a program could not store its settings; never a dialog.
std::string SettingsNotStored(std::string_view program);

}  // namespace vrx::port_msg
