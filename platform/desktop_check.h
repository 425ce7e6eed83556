// What the window programs need from the desktop, for `vrxtool doctor`.
#pragma once

#include <string>

namespace vrx {

struct DisplayCheck {
  bool available = false;
  std::string name;  // the display the windows would open ("" when none)
};

// Whether a display to open windows on is named and, where it is local,
// present.
DisplayCheck CheckDisplay();

// Whether a font for Japanese text is installed.
bool JapaneseFontInstalled();

}  // namespace vrx
