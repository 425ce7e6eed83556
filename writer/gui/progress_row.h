// The row under the writer's log: a bar for how much of the running Write
// is through and the time it still needs.  The bar shows from the start of
// a Write; it stays, full, after one that succeeded and goes after one that
// failed.
#pragma once

#include <optional>

#include "ui/dialog_units.h"
#include "writer/write_progress.h"

class wxGauge;
class wxStaticText;
class wxWindow;

namespace vrx::writer {

class ProgressRow {
 public:
  ProgressRow(wxWindow* parent, int barId, const ui::DluRect& barRect, int timeLeftId,
              const ui::DluRect& timeLeftRect);

  // A Write begins: the bar empties and follows the returned progress.
  DeviceProgress& Begin(bool verify);
  // The Write has ended: full after a success, hidden after a failure.
  void End(bool succeeded);

  wxGauge& bar() const { return *bar_; }
  wxStaticText& timeLeft() const { return *timeLeft_; }

 private:
  void Draw();

  static constexpr int kRange = 1000;
  wxGauge* bar_ = nullptr;
  wxStaticText* timeLeft_ = nullptr;
  std::optional<WriteProgress> progress_;
};

}  // namespace vrx::writer
