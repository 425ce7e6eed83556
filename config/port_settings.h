// The port and speed both programs remember in their profile (section
// Option, values COM and BAUD): the editor after every LCD test, the writer
// after every successful Write.  COM holds COM names only (IsComName): the
// other program reads it into a list of COM names, so a device path given
// to vrxtool is not remembered, and a stored value that is none counts as
// no value.
#pragma once

#include <string>

#include "platform/profile.h"

namespace vrx {

struct PortSettings {
  std::string portName = "COM1";
  int speedIndex = 4;  // any number is kept; the speed lists show none for one they lack
};

PortSettings ReadPortSettings(ProfileStore& profile);
// Whether a COM name is stored (ReadPortSettings gives the default otherwise).
bool HasStoredPort(ProfileStore& profile);
// COM as it stands in the file, COM name or not ("" when there is none).
std::string StoredPortText(ProfileStore& profile);

// The writer's opt-in check of the flash after every Write (Option/VERIFY,
// off unless set).
bool ReadVerifyAfterWrite(ProfileStore& profile);
bool WriteVerifyAfterWrite(ProfileStore& profile, bool verify);

// Writes COM (only when the port is a COM name) and BAUD as one change (and
// ReadPortSettings reads them as one), so that two programs storing at once
// never leave one's port with the other's speed; false if they could not be
// stored, which is then reported on stderr.
bool WritePortSettings(ProfileStore& profile, const PortSettings& settings);

}  // namespace vrx
