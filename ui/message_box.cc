#include "ui/message_box.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "platform/module_path.h"
#include "resources/ui_texts.h"
#include "ui/dialog_units.h"

namespace vrx::ui {
namespace {

// Where a long message wraps, in dialog units.
constexpr int kTextWidth = 220;
constexpr int kGap = 7;

}  // namespace

MessageBox::MessageBox(wxWindow* parent, const wxString& text, long style)
    : wxMessageDialogBase(parent, text, FromCore(ProgramName()), style | wxICON_EXCLAMATION) {
  // A parent that is hidden (or being destroyed) would place the box at the
  // screen's corner.
  if (parent && !parent->IsShownOnScreen()) parent = nullptr;
  Create(parent, wxID_ANY, GetCaption(), wxDefaultPosition, wxDefaultSize,
         wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
  SetFont(DialogFont());
  const int gap = DluXToPixels(this, kGap);

  icon_ = new wxStaticBitmap(
      this, wxID_ANY,
      wxArtProvider::GetBitmapBundle(wxASCII_STR(wxART_WARNING), wxASCII_STR(wxART_MESSAGE_BOX)));
  auto* message = new wxStaticText(this, wxID_ANY, text);
  message->Wrap(DluXToPixels(this, kTextWidth));
  auto* body = new wxBoxSizer(wxHORIZONTAL);
  body->Add(icon_, 0, wxRIGHT, gap);
  body->Add(message, 1, wxALIGN_CENTER_VERTICAL);

  if (style & wxYES_NO) {
    AddButton(wxID_YES, ui_text::Yes());
    AddButton(wxID_NO, ui_text::No());
  } else {
    AddButton(wxID_OK, ui_text::Ok());
  }
  if (style & wxCANCEL) AddButton(wxID_CANCEL, ui_text::Cancel());
  // Esc and the close box: キャンセル if there is one, else the last answer.
  SetEscapeId(buttons_.back()->GetId());
  SetAffirmativeId(buttons_.front()->GetId());
  buttons_.front()->SetDefault();
  buttons_.front()->SetFocus();

  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->AddStretchSpacer();
  for (wxButton* button : buttons_) row->Add(button, 0, wxLEFT, gap);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(body, 1, wxEXPAND | wxALL, gap);
  column->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
  SetSizerAndFit(column);
  if (parent)
    CentreOnParent();
  else
    CentreOnScreen();
}

void MessageBox::AddButton(int id, std::string_view label) {
  auto* button = new wxButton(this, id, FromCore(label));
  button->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) {
    // The answer is kept even when the box is not (yet) modal.
    SetReturnCode(id);
    if (IsModal()) EndModal(id);
  });
  buttons_.push_back(button);
}

int ShowMessage(wxWindow* parent, const wxString& text, long style) {
  MessageBox box(parent, text, style);
  return box.ShowModal();
}

}  // namespace vrx::ui
