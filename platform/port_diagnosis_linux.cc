// Linux backend of the port diagnosis: the process table and the devices'
// identities come from /proc and /sys.
#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>

#include "platform/port_diagnosis.h"
#include "platform/port_names.h"

namespace vrx {
namespace {

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string LinkTarget(const std::string& path) {
  char target[PATH_MAX];
  const ssize_t length = readlink(path.c_str(), target, sizeof target);
  return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

// The first line of a small sysfs or procfs file, "" when unreadable.
std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Calls `visit` with the name of every entry of `dir` ("." and ".." left out).
template <typename Visit>
void ForEachEntry(const std::string& dir, Visit visit) {
  DIR* handle = opendir(dir.c_str());
  if (!handle) return;
  while (const dirent* entry = readdir(handle)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") visit(name);
  }
  closedir(handle);
}

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The USB device a tty belongs to: the nearest sysfs parent with a vendor id.
std::string UsbDeviceDir(const std::string& ttyName) {
  std::string dir = RealPath("/sys/class/tty/" + ttyName + "/device");
  for (int level = 0; level < 6 && dir.size() > 1; ++level) {
    if (access((dir + "/idVendor").c_str(), R_OK) == 0) return dir;
    dir = dir.substr(0, dir.rfind('/'));
  }
  return {};
}

// The driver behind a tty, past the serial core's own "port" and "ctrl"
// devices that newer kernels put in between.
std::string DriverName(const std::string& ttyName) {
  std::string dir = RealPath("/sys/class/tty/" + ttyName + "/device");
  for (int level = 0; level < 4 && dir.size() > 1; ++level) {
    const std::string driver = RealPath(dir + "/driver");
    if (driver.empty()) return {};
    if (driver.find("/bus/serial-base/") == std::string::npos) return BaseName(driver);
    dir = dir.substr(0, dir.rfind('/'));
  }
  return {};
}

std::string ByIdName(const std::string& realDevice) {
  std::string found;
  const std::string byId = "/dev/serial/by-id";
  ForEachEntry(byId, [&](const std::string& name) {
    if (found.empty() && RealPath(byId + "/" + name) == realDevice) found = byId + "/" + name;
  });
  return found;
}

// On-board ports: ttyS* and ttyAMA* whose UART type is known.
std::vector<std::string> OnBoardPorts() {
  std::vector<std::pair<long, std::string>> found;
  ForEachEntry("/sys/class/tty", [&](const std::string& name) {
    for (const std::string prefix : {"ttyS", "ttyAMA"}) {
      const std::string digits = name.substr(std::min(prefix.size(), name.size()));
      if (name.compare(0, prefix.size(), prefix) != 0 || !AllDigits(digits)) continue;
      const std::string type = FirstLine("/sys/class/tty/" + name + "/type");
      if (type.empty() || type == "0") continue;  // no UART behind it
      if (access(("/dev/" + name).c_str(), F_OK) == 0)
        found.emplace_back(std::strtol(digits.c_str(), nullptr, 10), "/dev/" + name);
    }
  });
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& entry : found) paths.push_back(std::move(entry.second));
  return paths;
}

}  // namespace

std::map<std::string, std::vector<PortUser>> FindPortUsers(
    const std::vector<std::string>& devicePaths) {
  std::map<std::string, std::vector<PortUser>> users;
  std::map<std::string, std::vector<std::string>> wanted;  // real path -> paths as given
  for (const auto& path : devicePaths) {
    users[path];
    if (std::string real = RealPath(path); !real.empty()) wanted[real].push_back(path);
  }
  if (wanted.empty()) return users;
  const std::string self = std::to_string(getpid());
  ForEachEntry("/proc", [&](const std::string& pid) {
    if (!AllDigits(pid) || pid == self) return;
    const std::string fdDir = "/proc/" + pid + "/fd";
    std::vector<std::string> seen;
    ForEachEntry(fdDir, [&](const std::string& fd) {
      auto match = wanted.find(LinkTarget(fdDir + "/" + fd));
      if (match == wanted.end() || std::count(seen.begin(), seen.end(), match->first)) return;
      seen.push_back(match->first);
      const PortUser user{std::atoi(pid.c_str()), FirstLine("/proc/" + pid + "/comm")};
      for (const auto& path : match->second) users[path].push_back(user);
    });
  });
  return users;
}

std::vector<PortUser> FindPortUsers(const std::string& devicePath) {
  return FindPortUsers(std::vector<std::string>{devicePath})[devicePath];
}

SerialPortInfo DescribeSerialDevice(const std::string& devicePath) {
  SerialPortInfo info;
  info.devicePath = devicePath;
  const std::string real = RealPath(devicePath);
  struct stat status {};
  if (real.empty() || stat(real.c_str(), &status) != 0) return info;
  info.exists = true;
  info.accessible = access(real.c_str(), R_OK | W_OK) == 0;
  if (const group* owner = getgrgid(status.st_gid)) info.group = owner->gr_name;
  info.byIdPath = ByIdName(real);

  const std::string name = BaseName(real);
  const std::string classDir = "/sys/class/tty/" + name;
  info.driver = DriverName(name);
  const std::string latency = FirstLine(classDir + "/device/latency_timer");
  if (AllDigits(latency)) {
    info.latencyTimerMs = std::atoi(latency.c_str());
    info.latencyTimerFile = classDir + "/device/latency_timer";
  }
  if (const std::string usb = UsbDeviceDir(name); !usb.empty()) {
    info.vendorId = FirstLine(usb + "/idVendor");
    info.productId = FirstLine(usb + "/idProduct");
    info.manufacturer = FirstLine(usb + "/manufacturer");
    info.product = FirstLine(usb + "/product");
    info.serialNumber = FirstLine(usb + "/serial");
  }
  return info;
}

std::vector<SerialPortInfo> ListSerialPorts() {
  std::vector<std::string> paths = ListUsbSerialDevices();
  for (auto& path : OnBoardPorts()) paths.push_back(std::move(path));
  std::vector<SerialPortInfo> ports;
  for (const auto& path : paths) ports.push_back(DescribeSerialDevice(path));
  return ports;
}

bool UserInGroup(const std::string& groupName) {
  if (geteuid() == 0) return true;
  const group* wanted = getgrnam(groupName.c_str());
  if (!wanted) return false;
  if (getegid() == wanted->gr_gid) return true;
  const int count = getgroups(0, nullptr);
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
  if (count > 0 && getgroups(count, groups.data()) == count)
    return std::find(groups.begin(), groups.end(), wanted->gr_gid) != groups.end();
  return false;
}

bool ProcessRunning(std::string_view name) {
  bool running = false;
  ForEachEntry("/proc", [&](const std::string& pid) {
    if (!running && AllDigits(pid)) running = FirstLine("/proc/" + pid + "/comm") == name;
  });
  return running;
}

}  // namespace vrx
