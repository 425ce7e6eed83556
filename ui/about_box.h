// The version box (resource 100) both programs show from their about
// command: the program icon, "<product> Version 1.0", the maker's notice
// and OK.
#pragma once

#include <wx/dialog.h>

#include <string>

namespace vrx::ui {

class CAboutDialog : public wxDialog {
 public:
  // `product` is "VRXWriter" or "VRXEditor".
  CAboutDialog(wxWindow* parent, const std::string& product);
};

// The maker's notice on the second line.
inline constexpr const char* kMakerNotice = "Copyright (C) 2026 Zentrolith";

}  // namespace vrx::ui
