// Writes the programs' icon, as the programs draw it, into PNG files for
// the desktop's icon theme: OUTDIR/vrx7100-tools-SIZE.png for each size.
// Run through make-icons.sh, which supplies the X display wx needs.
#include <wx/app.h>
#include <wx/image.h>

#include <iostream>
#include <string>

#include "packaging/icons/icon_sizes.h"
#include "ui/program_icon.h"

namespace {

class IconExportApp : public wxApp {
 public:
  bool OnInit() override { return true; }

  int OnRun() override {
    if (argc != 2) {
      std::cerr << "usage: vrx_icon_export OUTDIR\n";
      return 2;
    }
    wxInitAllImageHandlers();
    const wxString folder = argv[1];
    for (int size : vrx::kThemeIconSizes) {
      wxBitmap bitmap;
      bitmap.CopyFromIcon(vrx::ui::ProgramIcon(size));
      const wxString path = folder + wxString::Format(wxS("/vrx7100-tools-%d.png"), size);
      if (!bitmap.ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG)) {
        std::cerr << "vrx_icon_export: cannot write " << path.utf8_string() << '\n';
        return 1;
      }
    }
    return 0;
  }
};

}  // namespace

wxIMPLEMENT_APP_CONSOLE(IconExportApp);
