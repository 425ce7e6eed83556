// GTK's default theme pads a drop-down list so much that "COM1" no longer
// fits the 36 units the template gives the list.  This trims the padding of
// every drop-down list of the program (and of nothing else).
#pragma once

namespace vrx::ui {

// Idempotent; does nothing on toolkits other than GTK 3.
void UseCompactDropDownLists();

}  // namespace vrx::ui
