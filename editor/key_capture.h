// Delivers key-downs addressed to a window or its children, as Windows
// virtual-key codes, before the dialog acts on them.
#pragma once

#include <functional>

class wxWindow;

namespace vrx::editor {

class KeyDownInterceptor {
 public:
  // While `enabled()` holds, every key-down whose focus window is `target`
  // or one of its children goes to `onKeyDown` and is consumed.
  KeyDownInterceptor(wxWindow* target, std::function<bool()> enabled,
                     std::function<void(unsigned virtualKey)> onKeyDown);
  ~KeyDownInterceptor();

  KeyDownInterceptor(const KeyDownInterceptor&) = delete;
  KeyDownInterceptor& operator=(const KeyDownInterceptor&) = delete;

 private:
  struct Hook;
  Hook* hook_;
};

}  // namespace vrx::editor
