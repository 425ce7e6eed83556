#include "editor/gui/key_test_dialog.h"

#include <wx/button.h>
#include <wx/datetime.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "editor/gui/key_capture.h"
#include "resources/editor_texts.h"
#include "resources/key_tool_texts.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

namespace text = key_tool_text;
constexpr unsigned kVkEscape = 0x1B;

std::string MatrixKeysText(const KeyTestEvent& event) {
  if (event.makeCode.empty()) return {};
  if (event.matrixKeys.empty()) return std::string(text::NotAssigned());
  std::string keys;
  for (int key : event.matrixKeys) {
    if (!keys.empty()) keys += ", ";
    keys += std::string(editor_text::KeyWord()) + std::to_string(key + 1);
  }
  return keys;
}

}  // namespace

KeyTestDialog::KeyTestDialog(wxWindow* parent, const std::array<KeyEntry, kKeyCount>& keys,
                             std::function<void()> onEnd)
    : wxDialog(parent, wxID_ANY, ui::FromCore(text::KeyTestTitle()), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      session_(keys),
      onEnd_(std::move(onEnd)) {
  auto* hint = new wxStaticText(this, wxID_ANY, ui::FromCore(text::KeyTestHint()));
  progress_ = new wxStaticText(this, wxID_ANY, wxString());
  list_ = new wxListView(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(470, 150)),
                         wxLC_REPORT | wxLC_SINGLE_SEL);
  list_->AppendColumn(ui::FromCore(text::TimeColumn()), wxLIST_FORMAT_LEFT, FromDIP(70));
  list_->AppendColumn(ui::FromCore(text::NameColumn()), wxLIST_FORMAT_LEFT, FromDIP(110));
  list_->AppendColumn(ui::FromCore(text::CodeColumn()), wxLIST_FORMAT_LEFT, FromDIP(110));
  list_->AppendColumn(ui::FromCore(text::MatrixKeyColumn()), wxLIST_FORMAT_LEFT, FromDIP(170));
  auto* note = new wxStaticText(this, wxID_ANY, ui::FromCore(text::DesktopKeysNote()));
  note->Wrap(FromDIP(470));
  hint->Wrap(FromDIP(470));
  auto* end = new wxButton(this, wxID_CANCEL, ui::FromCore(text::EndButton()));

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(hint, 0, wxEXPAND | wxALL, FromDIP(8));
  column->Add(progress_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
  column->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(8));
  column->Add(note, 0, wxEXPAND | wxALL, FromDIP(8));
  column->Add(end, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
  SetSizerAndFit(column);

  // Every key-down addressed to this window is a key under test, 終了's
  // Space and Enter included; the button still ends the test by mouse.
  InterceptKeyDowns(this, [] { return true; }, [this](unsigned virtualKey) { Press(virtualKey); });
  end->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { End(); });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { End(); });
  ShowEvents();
}

void KeyTestDialog::Press(unsigned virtualKey) {
  if (ended_) return;
  session_.Press(virtualKey, ui::ToCore(wxDateTime::Now().FormatISOTime()));
  ShowEvents();
  if (virtualKey == kVkEscape) End();
}

void KeyTestDialog::ShowEvents() {
  progress_->SetLabel(ui::FromCore(text::Progress(session_.pressedCount(), session_.assignedCount())));
  list_->Freeze();
  list_->DeleteAllItems();
  long row = 0;
  for (const KeyTestEvent& event : session_.events()) {
    const long item = list_->InsertItem(row++, ui::FromCore(event.time));
    list_->SetItem(item, 1,
                   ui::FromCore(event.keyName.empty() && event.makeCode.empty()
                                    ? std::string(text::NoCode())
                                    : event.keyName));
    list_->SetItem(item, 2, ui::FromCore(event.makeCode));
    list_->SetItem(item, 3, ui::FromCore(MatrixKeysText(event)));
  }
  list_->Thaw();
  GetParent()->Refresh();  // the page's matrix shows the pressed keys
}

void KeyTestDialog::End() {
  if (ended_) return;
  ended_ = true;
  if (onEnd_) onEnd_();
}

}  // namespace vrx::editor
