// What the X server shows of a window right now: its pixels read back from
// the screen, not what the program believes it drew.
#pragma once

#include <wx/image.h>

class wxWindow;

namespace vrx::test {

// The window's rectangle on the screen in device pixels (it must not be
// covered); an invalid image when the screen cannot be read.
wxImage GrabShownPixels(const wxWindow& window);

// For the documentation's pictures of states only a test can bring about
// (a slow USB adapter on a machine without one): when $VRX_TEST_SCREENSHOTS
// names a folder, the window as shown is saved there as `name`.png, or
// `name`-scale2.png under GDK_SCALE=2.  Nothing happens otherwise.
void SaveScreenshotIfAsked(const wxWindow& window, const char* name);

}  // namespace vrx::test
