#include "tools/vrxtool/port_listing.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "device/usb_adapter.h"
#include "platform/port_names.h"
#include "platform/utf8_path.h"

namespace vrxtool {
namespace {

// Two spellings of one device (a by-id link and its target) compare equal.
std::string SameDeviceKey(const std::string& path) {
  std::error_code ec;
  auto canonical = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : vrx::Utf8FromPath(canonical);
}

// COM2 before COM10.
bool NameOrder(const std::string& a, const std::string& b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

std::vector<ListedPort> ListPorts(const std::map<std::string, std::string>& portMap) {
  std::vector<ListedPort> ports;
  for (auto& info : vrx::ListSerialPorts()) ports.push_back({{}, std::move(info), {}});

  // Every name the programs offer and every name of the map, resolved the
  // way the programs resolve them.
  std::set<std::string, decltype(&NameOrder)> names(&NameOrder);
  for (const auto& name : vrx::OfferedPortNames()) names.insert(name);
  for (const auto& [name, path] : portMap) names.insert(name);
  for (const auto& name : names) {
    // The platform's own resolution: a Linux map and adapter order, or
    // Windows' COM devices.
    const std::string path = vrx::ResolvePortName(name);
    if (path.empty()) continue;
    const std::string key = SameDeviceKey(path);
    auto port = std::find_if(ports.begin(), ports.end(), [&](const ListedPort& listed) {
      return listed.info.devicePath == path || SameDeviceKey(listed.info.devicePath) == key;
    });
    if (port == ports.end()) {
      vrx::SerialPortInfo device = vrx::DescribeSerialDevice(path);
      // An offered name that leads nowhere (Windows' COM4 without a device)
      // is no port; a map line that does is shown as missing.
      if (!device.exists && portMap.count(name) == 0) continue;
      ports.push_back({{}, std::move(device), {}});
      port = std::prev(ports.end());
    }
    port->comNames.push_back(name);
  }

  std::vector<std::string> paths;
  for (const auto& port : ports) paths.push_back(port.info.devicePath);
  auto users = vrx::FindPortUsers(paths);
  for (auto& port : ports) port.users = users[port.info.devicePath];
  return ports;
}

std::string AdapterChipName(const vrx::SerialPortInfo& info) {
  return vrx::IdentifyAdapter(info.vendorId, info.productId, info.driver).name;
}

std::string ExpectedWriteText(int latencyTimerMs) {
  const vrx::WriteTimeToTell time = vrx::ExpectedWriteTimeToTell(latencyTimerMs);
  return "about " + std::to_string(time.amount) + (time.inMinutes ? " min" : " s");
}

}  // namespace vrxtool
