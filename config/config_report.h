// A configuration as readable text: the summary `vrxtool show` prints and the
// differences `vrxtool diff` prints, in the same terms.
#pragma once

#include <functional>
#include <string>

#include "config/config_image.h"

namespace vrx {

// Options, speed, PO4..PO7, the eight characters as dot art and the key
// table; the table lists only keys that differ from a fresh file unless
// `allKeys`.  `keyName`, when given, names the PC key a make code stands
// for ("" for none); the name follows the key's codes.
using KeyNamer = std::function<std::string(const std::string& makeCode)>;
std::string ShowConfig(const ConfigImage& image, bool allKeys, const KeyNamer& keyName = {});

// The lines of `ShowConfig` that differ, "-" for `before` and "+" for
// `after`; empty when the two files would hold the same bytes.
std::string DiffConfigs(const ConfigImage& before, const ConfigImage& after);

}  // namespace vrx
