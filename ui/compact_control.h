// A native control without the theme's generous padding, so that it fits the
// small rectangles of the programs' dialog templates (GTK's default theme
// makes an entry or a button at least 34 pixels high).
#pragma once

#include <utility>

namespace vrx::ui {

template <class Control>
class Compact : public Control {
 public:
  template <class... Args>
  explicit Compact(Args&&... args) : Control(std::forward<Args>(args)...) {
#ifdef __WXGTK3__
    this->GTKApplyCssStyle(
        "entry, button, checkbutton, radiobutton { min-height: 0px;"
        " padding-top: 0px; padding-bottom: 0px; }"
        " button { padding-left: 4px; padding-right: 4px; }"
        " check, radio { margin-top: 0px; margin-bottom: 0px; }");
    this->InvalidateBestSize();
#endif
  }
};

}  // namespace vrx::ui
