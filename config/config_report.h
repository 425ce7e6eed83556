// A configuration as readable text: the summary `vrxtool show` prints and the
// differences `vrxtool diff` prints, in the same terms.
#pragma once

#include <string>

#include "config/config_image.h"

namespace vrx {

// Options, speed, PO4..PO7, the eight characters as dot art and the key
// table; the table lists only keys that differ from a fresh file unless
// `allKeys`.
std::string ShowConfig(const ConfigImage& image, bool allKeys);

// The lines of `ShowConfig` that differ, "-" for `before` and "+" for
// `after`; empty when the two files would hold the same bytes.
std::string DiffConfigs(const ConfigImage& before, const ConfigImage& after);

}  // namespace vrx
