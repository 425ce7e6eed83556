// What the X server shows of a window right now: its pixels read back from
// the screen, not what the program believes it drew.
#pragma once

#include <wx/image.h>

class wxWindow;

namespace vrx::test {

// The window's rectangle on the screen in device pixels (it must not be
// covered); an invalid image when the screen cannot be read.
wxImage GrabShownPixels(const wxWindow& window);

}  // namespace vrx::test
