// Why a serial port cannot be used, and what serial ports this machine has.
// The programs' port-open messages, `vrxtool ports` and `vrxtool doctor` all
// read the machine through here.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/regular_file.h"

namespace vrx {

struct PortUser {
  int pid = 0;
  std::string command;  // the process's name, e.g. "minicom"
};

// Processes other than this one (and the helpers it registered below) that
// have `devicePath` open.  Processes of other users may be invisible to an
// ordinary user.
std::vector<PortUser> FindPortUsers(const std::string& devicePath);
// The same for several devices in one look at the process table, keyed by
// the paths as given.
std::map<std::string, std::vector<PortUser>> FindPortUsers(
    const std::vector<std::string>& devicePaths);

struct SerialPortInfo {
  std::string devicePath;  // /dev/ttyUSB0
  std::string byIdPath;    // its /dev/serial/by-id name, or ""
  std::string vendorId;    // USB identity; "" for on-board ports
  std::string productId;
  std::string manufacturer;
  std::string product;
  std::string serialNumber;
  std::string driver;       // ftdi_sio, cp210x, serial8250, ...
  int latencyTimerMs = -1;  // FTDI adapters; -1 where there is none
  std::string latencyTimerFile;
  std::string group;        // the group that owns the device
  bool accessible = false;  // this user may open it for reading and writing
  bool exists = false;
};

// What the system knows of one serial device (a missing one gives
// exists = false).
SerialPortInfo DescribeSerialDevice(const std::string& devicePath);

// The machine's serial ports: USB adapters (ttyUSB*, ttyACM*, numeric
// order) and on-board ports that have a UART behind them.
std::vector<SerialPortInfo> ListSerialPorts();

// Whether this user belongs to `group` (root belongs everywhere).
bool UserInGroup(const std::string& group);

// Processes running under this name (ModemManager, brltty, ...).
bool ProcessRunning(std::string_view name);

// What keeps a port from being used, as found on the machine.  The
// programs word it as the line under their port messages.
struct PortDiagnosis {
  enum class Kind {
    kNone,  // nothing known
    kNoPortSelected,
    kNoSpeedSelected,
    kNotMapped,  // `path` holds the port name, `mapFile` the mapping file,
                 // `mapProblem` why that file could not be used (kRead: it was)
    kMissing,
    kPermissionDenied,  // `group` may grant access
    kInUse,             // `users` holds the processes found (may be none)
    kNotSerial,
    kOtherError,  // `reason` holds the platform's text for the error
    kAlsoOpen,    // the port answers nothing while `users` have it open
    kSilentModule,  // the loader's connect meets silence and no one else
                    // holds the port: a module left inside a command
                    // needs a power cycle
  };
  Kind kind = Kind::kNone;
  std::string path;
  std::string mapFile;
  FileReadResult mapProblem = FileReadResult::kRead;
  std::string group;
  std::string reason;
  std::vector<PortUser> users;
};

// Why `portName` could not be opened at `bitRate`, given the platform's
// error number.
PortDiagnosis DiagnosePortOpenFailure(std::string_view portName, int bitRate, int error);

// Other processes holding a port that does not answer; kNone when there
// are none.
PortDiagnosis DiagnoseSilentPort(std::string_view portName);

}  // namespace vrx
