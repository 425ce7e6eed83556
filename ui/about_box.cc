#include "ui/about_box.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "resources/program_version.h"
#include "resources/ui_texts.h"
#include "ui/control_fitting.h"
#include "ui/dialog_layout.h"
#include "ui/program_icon.h"
#include "ui/text_conversion.h"

namespace vrx::ui {
namespace {

constexpr DluRect kClient{0, 0, 235, 55};
constexpr DluRect kIcon{11, 17, 20, 20};
constexpr DluRect kVersionText{40, 10, 119, 8};
constexpr DluRect kNoticeText{40, 25, 119, 8};
constexpr DluRect kOkButton{178, 7, 50, 14};
constexpr int kIconPixels = 32;  // a standard icon, as the template shows it

}  // namespace

CAboutDialog::CAboutDialog(wxWindow* parent, const std::string& product)
    : wxDialog(parent, wxID_ANY, FromCore(ui_text::AboutTitle(product))) {
  SetFont(DialogFont());
  SetClientSize(DluRectToPixels(this, kClient).GetSize());
  FixWindowSize(*this);

  const wxRect iconCell = DluRectToPixels(this, kIcon);
  const int iconSize = static_cast<int>(kIconPixels * DpiScale(this));
  new wxStaticBitmap(this, wxID_ANY, ProgramIcon(iconSize), iconCell.GetPosition(),
                     wxSize(iconSize, iconSize));
  PlaceLabel(*new wxStaticText(this, wxID_ANY,
                               FromCore(product + " Version " + std::string(kAboutVersion))),
             kVersionText);
  PlaceLabel(*new wxStaticText(this, wxID_ANY, FromCore(kMakerNotice)), kNoticeText);
  auto* ok = new Compact<wxButton>(this, wxID_OK, wxS("OK"));
  PlaceControl(*ok, kOkButton);
  ok->SetDefault();
  ok->SetFocus();
}

}  // namespace vrx::ui
