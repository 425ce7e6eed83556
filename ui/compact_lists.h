// GTK's default theme pads a drop-down list so much that "COM1" no longer
// fits the 36 units the template gives the list.  This trims the padding of
// every drop-down list of the program (and of nothing else).
#pragma once

class wxControl;

namespace vrx::ui {

// Idempotent; does nothing on toolkits other than GTK 3.
void UseCompactDropDownLists();

// A long list (the 128 key numbers) opens as a grid of `columns` columns
// instead of a menu as tall as the screen.  Does nothing on toolkits other
// than GTK 3, whose own lists scroll.
void WrapDropDownList(wxControl& list, int columns);

}  // namespace vrx::ui
