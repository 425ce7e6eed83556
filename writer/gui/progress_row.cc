#include "writer/gui/progress_row.h"

#include <wx/gauge.h>
#include <wx/stattext.h>

#include <cmath>

#include "resources/ui_texts.h"
#include "ui/dialog_layout.h"
#include "ui/repaint.h"
#include "ui/text_conversion.h"

namespace vrx::writer {

ProgressRow::ProgressRow(wxWindow* parent, int barId, const ui::DluRect& barRect, int timeLeftId,
                         const ui::DluRect& timeLeftRect) {
  bar_ = new wxGauge(parent, barId, kRange, wxDefaultPosition, wxDefaultSize,
                     wxGA_HORIZONTAL | wxGA_SMOOTH);
  ui::PlaceControl(*bar_, barRect);
  bar_->Hide();  // an empty bar before the first Write would pass for a rule
  timeLeft_ = new wxStaticText(parent, timeLeftId, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                               wxST_NO_AUTORESIZE);
  ui::PlaceCentredLabel(*timeLeft_, timeLeftRect);
}

DeviceProgress& ProgressRow::Begin(bool verify) {
  progress_.emplace(verify, [this] { Draw(); });
  bar_->Show();
  Draw();
  return *progress_;
}

void ProgressRow::End(bool succeeded) {
  progress_.reset();
  // A full bar says the Write got through until the next one begins; after
  // a failure the log alone tells what happened.
  bar_->SetValue(succeeded ? kRange : 0);
  bar_->Show(succeeded);
  timeLeft_->SetLabel(wxEmptyString);
}

void ProgressRow::Draw() {
  bar_->SetValue(static_cast<int>(std::lround(progress_->Fraction() * kRange)));
  const auto left = progress_->Left();
  timeLeft_->SetLabel(left ? ui::FromCore(ui_text::TimeLeft(left->count())) : wxString());
  // Shown at once, like the log's lines: the Write holds the event loop.
  ui::ProcessPendingWithoutInput();
  bar_->Update();
  timeLeft_->Update();
}

}  // namespace vrx::writer
