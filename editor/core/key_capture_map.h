// Keys of the X keyboard as Windows virtual-key codes, the codes by which the
// capture table knows the PC's keys.
#pragma once

namespace vrx::editor {

// `keysym` is the key-down's X keysym (with the modifiers applied, so NumLock
// decides between KP_1 and KP_End as it does on Windows); `keycode` is the X
// server's hardware keycode (evdev: Linux key code + 8).  The keys of the
// main block (letters, digits, punctuation, the JIS keys) are taken by their
// place on the keyboard, with the codes a Japanese keyboard gives on
// Windows, so that Shift and the desktop's layout do not change the captured
// code.  Returns 0 for a key Windows gives no code for here.
unsigned VirtualKeyForXKey(unsigned keysym, unsigned keycode);

}  // namespace vrx::editor
