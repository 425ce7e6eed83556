// VRXEditor's application object: runs the sheet on the program's profile;
// the program ends when the sheet closes.
#pragma once

#include <wx/app.h>

#include <string>
#include <vector>

#include "platform/profile.h"

namespace vrx::editor {

class CEditorApp : public wxApp {
 public:
  // The arguments as UTF-8 from the system's own command line (the wide
  // one on Windows), not the toolkit's re-encoded copy.  `profile` is
  // main's and outlives the application object.
  CEditorApp(std::vector<std::string> arguments, ProfileStore& profile);
  bool OnInit() override;
  int OnRun() override;

 private:
  std::vector<std::string> arguments_;
  ProfileStore& profile_;
};

}  // namespace vrx::editor
