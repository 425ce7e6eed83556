#include "tools/vrxtool/device_failure.h"

#include "resources/port_messages.h"
#include "resources/program_usage.h"

namespace vrxtool {

std::string DeviceFailureText(std::string_view message, const vrx::PortDiagnosis& cause,
                              bool portOpenFailed) {
  std::string text(message);
  if (const std::string causeLine = vrx::port_msg::CauseText(cause); !causeLine.empty())
    text += "\n" + causeLine;
  if (portOpenFailed) text += "\n" + std::string(vrx::PortOpenHint());
  return text;
}

}  // namespace vrxtool
