// What the platform backend finds about a port that cannot be used.
#include "platform/port_diagnosis.h"

#include <cerrno>
#include <cstring>

#include "platform/port_names.h"

namespace vrx {
namespace {

// The path is shown to the user: named as the user knows the port.
PortDiagnosis Found(PortDiagnosis::Kind kind, const std::string& path = {}) {
  PortDiagnosis diagnosis;
  diagnosis.kind = kind;
  diagnosis.path = PortNameForUser(path);
  return diagnosis;
}

}  // namespace

PortDiagnosis DiagnosePortOpenFailure(std::string_view portName, int bitRate, int error) {
  using Kind = PortDiagnosis::Kind;
  if (portName.empty()) return Found(Kind::kNoPortSelected);
  if (bitRate <= 0) return Found(Kind::kNoSpeedSelected);
  const std::string path = ResolvePortName(portName);
  if (path.empty()) {
    PortDiagnosis notMapped = Found(Kind::kNotMapped, std::string(portName));
    notMapped.mapFile = PortMapPath().string();
    ReadPortMap(PortMapPath(), [&notMapped](const std::filesystem::path&, FileReadResult problem) {
      notMapped.mapProblem = problem;
    });
    return notMapped;
  }
  const SerialPortInfo device = DescribeSerialDevice(path);
  if (!device.exists) return Found(Kind::kMissing, path);
  PortDiagnosis diagnosis = Found(Kind::kOtherError, path);
  switch (error) {
    case EACCES:
    case EPERM:
      diagnosis.kind = Kind::kPermissionDenied;
      diagnosis.group = device.group.empty() ? "dialout" : device.group;
      break;
    case EBUSY:
      diagnosis.kind = Kind::kInUse;
      diagnosis.users = FindPortUsers(path);
      break;
    case ENOTTY:
      diagnosis.kind = Kind::kNotSerial;
      break;
    default:
      diagnosis.reason = std::strerror(error);
      break;
  }
  return diagnosis;
}

PortDiagnosis DiagnoseSilentPort(std::string_view portName) {
  const std::string path = ResolvePortName(portName);
  if (path.empty()) return {};
  PortDiagnosis diagnosis = Found(PortDiagnosis::Kind::kAlsoOpen, path);
  diagnosis.users = FindPortUsers(path);
  return diagnosis.users.empty() ? PortDiagnosis{} : diagnosis;
}

}  // namespace vrx
