#include "platform/port_names.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#include "platform/profile.h"
#include "platform/settings_file.h"
#include "platform/text_trim.h"

namespace vrx {
namespace {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// "COMn" with n in 1..99 gives n, anything else 0.
int ComNumber(const std::string& upperName) {
  if (upperName.size() < 4 || upperName.size() > 5 || upperName.compare(0, 3, "COM") != 0) return 0;
  int number = 0;
  for (std::size_t i = 3; i < upperName.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(upperName[i]))) return 0;
    number = number * 10 + (upperName[i] - '0');
  }
  return number;
}

// Devices named prefix<number>, ordered by number (ttyUSB2 before ttyUSB10).
std::vector<std::string> NumberedDevices(const std::filesystem::path& dir,
                                         std::string_view prefix) {
  std::vector<std::pair<long, std::string>> found;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
      continue;
    found.emplace_back(std::strtol(digits.c_str(), nullptr, 10), entry.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& [number, path] : found) paths.push_back(std::move(path));
  return paths;
}

}  // namespace

std::vector<std::string> OfferedPortNames() {
  std::vector<std::string> names;
  for (int i = 1; i <= 9; ++i) names.push_back("COM" + std::to_string(i));
  return names;
}

bool IsComName(std::string_view name) { return ComNumber(UpperCase(TrimBlanks(name))) != 0; }

std::filesystem::path PortMapPath() {
  const char* overridePath = std::getenv("VRX_PORT_MAP");
  if (overridePath && *overridePath) return overridePath;
  return ZentrolithConfigDir() / "ports.conf";
}

std::map<std::string, std::string> ParsePortMap(std::string_view text) {
  // Editors on some systems start a UTF-8 file with a byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  std::map<std::string, std::string> map;
  for (std::string_view line : SplitLines(text)) {
    line = TrimBlanks(line.substr(0, line.find('#')));
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string name = UpperCase(TrimBlanks(line.substr(0, equals)));
    const std::string_view path = TrimBlanks(line.substr(equals + 1));
    if (!name.empty() && !path.empty()) map[name] = std::string(path);
  }
  return map;
}

std::optional<std::vector<std::string>> ExpandPortRange(std::string_view text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const int first = ComNumber(UpperCase(TrimBlanks(text.substr(0, dash))));
  const int last = ComNumber(UpperCase(TrimBlanks(text.substr(dash + 1))));
  if (first == 0 || last < first || last - first >= kMaxPortRange) return std::nullopt;
  std::vector<std::string> names;
  for (int number = first; number <= last; ++number)
    names.push_back("COM" + std::to_string(number));
  return names;
}

std::map<std::string, std::string> ReadPortMap(const std::filesystem::path& file,
                                               const SettingsProblemSink& report) {
  return ParsePortMap(ReadSettingsFile(file, report).value_or(std::string()));
}

std::vector<std::string> ListUsbSerialDevices(const std::filesystem::path& deviceDir) {
  std::vector<std::string> devices = NumberedDevices(deviceDir, "ttyUSB");
  for (auto& path : NumberedDevices(deviceDir, "ttyACM")) devices.push_back(std::move(path));
  return devices;
}

std::string ResolvePortName(std::string_view name, const std::map<std::string, std::string>& map,
                            const std::vector<std::string>& usbDevices) {
  if (!name.empty() && name.front() == '/') return std::string(name);
  const std::string upper = UpperCase(name);
  if (auto mapped = map.find(upper); mapped != map.end()) return mapped->second;
  const int number = ComNumber(upper);
  if (number >= 1 && static_cast<std::size_t>(number) <= usbDevices.size())
    return usbDevices[static_cast<std::size_t>(number) - 1];
  return {};
}

}  // namespace vrx
