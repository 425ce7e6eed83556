// VRXEditor's application object: sets up the profile and runs the sheet;
// the program ends when the sheet closes.
#pragma once

#include <wx/app.h>

#include <string>
#include <vector>

namespace vrx::editor {

class CEditorApp : public wxApp {
 public:
  // The arguments as UTF-8 from the system's own command line (the wide
  // one on Windows), not the toolkit's re-encoded copy.
  explicit CEditorApp(std::vector<std::string> arguments);
  bool OnInit() override;
  int OnRun() override;

 private:
  std::vector<std::string> arguments_;
};

}  // namespace vrx::editor
