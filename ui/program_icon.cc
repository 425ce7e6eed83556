#include "ui/program_icon.h"

#include <wx/bitmap.h>
#include <wx/brush.h>
#include <wx/dcmemory.h>
#include <wx/icon.h>
#include <wx/pen.h>

#include <cmath>

namespace vrx::ui {
namespace {

int Scaled(int units, int size) {  // the picture is designed on a 32-unit grid
  return static_cast<int>(std::lround(units * size / 32.0));
}

wxBitmap DrawIcon(int size) {
  wxBitmap bitmap(size, size, 32);
  bitmap.UseAlpha();
  wxMemoryDC dc(bitmap);
  dc.SetBackground(*wxTRANSPARENT_BRUSH);
  dc.Clear();
  const auto at = [size](int units) { return Scaled(units, size); };

  // Board.
  dc.SetPen(wxPen(wxColour(0x0B, 0x3D, 0x2E), std::max(1, at(1))));
  dc.SetBrush(wxBrush(wxColour(0x1E, 0x7A, 0x4F)));
  dc.DrawRoundedRectangle(at(1), at(3), at(30), at(26), at(3));
  // Controller chip with its pins.
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxColour(0x22, 0x22, 0x22)));
  dc.DrawRectangle(at(4), at(6), at(10), at(10));
  dc.SetBrush(wxBrush(wxColour(0xD8, 0xC0, 0x60)));
  for (int pin = 0; pin < 3; ++pin) {
    dc.DrawRectangle(at(5 + 3 * pin), at(5), std::max(1, at(1)), std::max(1, at(1)));
    dc.DrawRectangle(at(5 + 3 * pin), at(16), std::max(1, at(1)), std::max(1, at(1)));
  }
  // Two rows of keys.
  dc.SetPen(wxPen(wxColour(0x55, 0x55, 0x55)));
  dc.SetBrush(wxBrush(wxColour(0xF2, 0xF2, 0xEE)));
  for (int column = 0; column < 2; ++column)
    dc.DrawRoundedRectangle(at(17 + 6 * column), at(7), at(5), at(5), at(1));
  for (int column = 0; column < 4; ++column)
    dc.DrawRoundedRectangle(at(5 + 6 * column), at(20), at(5), at(5), at(1));
  dc.SelectObject(wxNullBitmap);
  return bitmap;
}

}  // namespace

wxIcon ProgramIcon(int size) {
  wxIcon icon;
  icon.CopyFromBitmap(DrawIcon(size));
  return icon;
}

wxIconBundle ProgramIcons() {
  wxIconBundle bundle;
  for (int size : {16, 32, 48, 64}) bundle.AddIcon(ProgramIcon(size));
  return bundle;
}

}  // namespace vrx::ui
