// How a device command fails on stderr: its message, the cause of a port
// problem on the next line, and after a port that could not be opened the
// pointer to the help on ports.  Every device command words it so.
#pragma once

#include <string>
#include <string_view>

#include "platform/port_diagnosis.h"

namespace vrxtool {

std::string DeviceFailureText(std::string_view message, const vrx::PortDiagnosis& cause,
                              bool portOpenFailed);

}  // namespace vrxtool
