// The programs name serial ports "COM1".."COM9", as on Windows.  On Linux
// each name stands for a device path: an explicit per-user mapping file
// (ports.conf in the Zentrolith folder; $VRX_PORT_MAP overrides its path),
// and for a name it does not map, the n-th USB serial adapter (/dev/ttyUSB*
// in numeric order, then /dev/ttyACM*).  A name beginning with "/" is
// already a device path and is used as it is.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_file.h"

namespace vrx {

// The entries of the programs' port lists: "COM1".."COM9".
std::vector<std::string> OfferedPortNames();

// Whether `name` is a COM name ("COM1".."COM99", any case, blanks around
// it ignored): what the profile may remember.  A device path is none.
bool IsComName(std::string_view name);

// "COM1-COM8" (either case, blanks allowed around the dash): the names from
// the first to the last, in order.  Nothing when the text is no such range
// (reversed, not COM names, more than kMaxPortRange names).
inline constexpr int kMaxPortRange = 64;
std::optional<std::vector<std::string>> ExpandPortRange(std::string_view text);

// The mapping file in use: $VRX_PORT_MAP if set, else
// ZentrolithConfigDir()/ports.conf.
std::filesystem::path PortMapPath();

// A mapping file's text: "COM1=/dev/ttyUSB0" lines, '#' starts a comment,
// blanks around names and paths are ignored, names are upper-cased; a
// byte-order mark at the start is skipped.
std::map<std::string, std::string> ParsePortMap(std::string_view text);

// Reads a mapping file as a settings file (ReadSettingsFile; a file that
// cannot be used goes to `report`).  A missing file, or one that cannot be
// used, is an empty mapping.
std::map<std::string, std::string> ReadPortMap(const std::filesystem::path& file,
                                               const SettingsProblemSink& report);

// USB serial adapters under `deviceDir`: ttyUSB0, ttyUSB1, ... ttyUSB10,
// then ttyACM0, ... (numeric order), as full paths.
std::vector<std::string> ListUsbSerialDevices(const std::filesystem::path& deviceDir = "/dev");

// The device path `name` stands for, "" if it stands for none.  "com3" and
// "COM3" are the same name.  While the mapping file exists but cannot be
// used, only device paths stand for anything (the port-open diagnosis
// says why).
std::string ResolvePortName(std::string_view name);
std::string ResolvePortName(std::string_view name, const std::map<std::string, std::string>& map,
                            const std::vector<std::string>& usbDevices);

// A device path as the user knows the port, for messages and listings:
// "COM7" for Windows' "\\.\COM7"; on Linux the path itself.
std::string PortNameForUser(std::string_view devicePath);

// Where a port name leads, for the GUIs' note beside it: the device path
// ("" when the name stands for none) and whether it is there.
struct PortLocation {
  std::string path;
  bool exists = false;
};
PortLocation LocatePortName(std::string_view name);

}  // namespace vrx
