// Shared by the Windows port backends: what SetupAPI says of a COM port.
#pragma once

#include <string>

namespace vrx {

// "USB Serial Port (COM3)" for the present port device named `upperName`
// ("COM3"); "" when there is none.
std::wstring PortFriendlyName(const std::wstring& upperName);

}  // namespace vrx
