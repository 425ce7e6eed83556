#include "editor/gui/key_list_dialog.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "resources/key_tool_texts.h"
#include "resources/ui_texts.h"
#include "ui/text_conversion.h"

namespace vrx::editor {

namespace text = key_tool_text;

KeyListDialog::KeyListDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, ui::FromCore(text::KeyListTitle()), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  searchBox_ = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxTE_PROCESS_ENTER);
  list_ = new wxListView(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(460, 360)),
                         wxLC_REPORT | wxLC_SINGLE_SEL);
  list_->AppendColumn(ui::FromCore(text::NameColumn()), wxLIST_FORMAT_LEFT, FromDIP(170));
  list_->AppendColumn(wxS("Make"), wxLIST_FORMAT_LEFT, FromDIP(90));
  list_->AppendColumn(wxS("Break"), wxLIST_FORMAT_LEFT, FromDIP(110));
  list_->AppendColumn(ui::FromCore(text::GroupColumn()), wxLIST_FORMAT_LEFT, FromDIP(90));

  auto* search = new wxBoxSizer(wxHORIZONTAL);
  search->Add(new wxStaticText(this, wxID_ANY, ui::FromCore(text::SearchLabel())), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
  search->Add(searchBox_, 1, wxEXPAND);
  auto* buttons = new wxStdDialogButtonSizer();
  auto* choose = new wxButton(this, wxID_OK, ui::FromCore(text::ChooseButton()));
  buttons->AddButton(choose);
  buttons->AddButton(new wxButton(this, wxID_CANCEL, ui::FromCore(ui_text::Cancel())));
  buttons->Realize();
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(search, 0, wxEXPAND | wxALL, FromDIP(8));
  column->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(8));
  column->Add(buttons, 0, wxEXPAND | wxALL, FromDIP(8));
  SetSizerAndFit(column);
  CentreOnParent();

  searchBox_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Fill(); });
  // Enter in the search box takes the first (or selected) match.
  searchBox_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) {
    if (!shown_.empty()) ChooseRow(list_->GetFirstSelected() >= 0 ? list_->GetFirstSelected() : 0);
  });
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& event) { ChooseRow(event.GetIndex()); });
  choose->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (list_->GetFirstSelected() >= 0) ChooseRow(list_->GetFirstSelected());
  });
  Fill();
  searchBox_->SetFocus();
}

void KeyListDialog::Fill() {
  shown_ = FindNamedKeys(ui::ToCore(searchBox_->GetValue()));
  list_->Freeze();
  list_->DeleteAllItems();
  for (size_t row = 0; row < shown_.size(); ++row) {
    const NamedKey& key = *shown_[row];
    const long item = list_->InsertItem(static_cast<long>(row), ui::FromCore(key.name));
    list_->SetItem(item, 1, ui::FromCore(key.makeCode));
    list_->SetItem(item, 2, ui::FromCore(key.breakCode));
    list_->SetItem(item, 3, ui::FromCore(KeyGroupName(key.group)));
  }
  if (!shown_.empty()) list_->Select(0);
  list_->Thaw();
  FindWindow(wxID_OK)->Enable(!shown_.empty());
}

void KeyListDialog::ChooseRow(long row) {
  if (row < 0 || row >= static_cast<long>(shown_.size())) return;
  chosen_ = *shown_[static_cast<size_t>(row)];
  if (IsModal()) EndModal(wxID_OK);
}

}  // namespace vrx::editor
