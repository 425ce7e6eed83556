// Delivers the key-downs addressed to a window or its children, as Windows
// virtual-key codes, before the dialog acts on them.
#pragma once

#include <functional>

class wxWindow;

namespace vrx::editor {

// While `enabled()` holds, every key-down whose focus window is `target` or
// one of its children goes to `onKeyDown` and is consumed: no control and
// not the dialog sees it, so Tab, Enter, Esc and Alt shortcuts do nothing.
// A key with no virtual-key code is consumed as well.  Lives as long as
// `target`.
void InterceptKeyDowns(wxWindow* target, std::function<bool()> enabled,
                       std::function<void(unsigned virtualKey)> onKeyDown);

}  // namespace vrx::editor
