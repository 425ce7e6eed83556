// wxFileDialog that returns a path set with SetPath even before the native
// chooser has taken it over.  GTK's chooser accepts a path for a file that
// does not exist yet (or a folder it has not loaded) only once it is shown,
// so a path set programmatically (by an automated test answering the
// dialog, for instance) would otherwise come back empty.
#pragma once

#include <wx/filedlg.h>

namespace vrx::ui {

class FileDialog : public wxFileDialog {
 public:
  using wxFileDialog::wxFileDialog;

  void SetPath(const wxString& path) override {
    wxFileDialog::SetPath(path);
    presetPath_ = path;
  }

  wxString GetPath() const override {
    const wxString chosen = wxFileDialog::GetPath();
    return chosen.empty() ? presetPath_ : chosen;
  }

 private:
  wxString presetPath_;
};

}  // namespace vrx::ui
