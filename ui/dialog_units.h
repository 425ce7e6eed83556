// Dialog units of the programs' dialog font ("ＭＳ Ｐゴシック" 9 pt): 4 x 8
// units are its average character cell, 7 x 12 pixels at 96 DPI (measured
// from the real font on Windows), scaled for the screen's DPI.  Every
// control of both programs is placed through these functions.
#pragma once

#include <wx/font.h>
#include <wx/gdicmn.h>

class wxWindow;

namespace vrx::ui {

// A rectangle of a dialog template, in dialog units.
struct DluRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Pixels per 96-DPI pixel on the screen of `window` (1.0 on a 96-DPI screen),
// in the toolkit's logical pixels: a desktop scale the toolkit applies to
// whole windows (GDK_SCALE) is not counted again.
double DpiScale(const wxWindow* window);

int DluXToPixels(const wxWindow* window, int x);
int DluYToPixels(const wxWindow* window, int y);
wxPoint DluToPixels(const wxWindow* window, int x, int y);
wxRect DluRectToPixels(const wxWindow* window, int x, int y, int width, int height);
wxRect DluRectToPixels(const wxWindow* window, const DluRect& rect);

// The dialog font: IPAPGothic 9 pt here, MS PGothic on Windows.
wxFont DialogFont();

}  // namespace vrx::ui
