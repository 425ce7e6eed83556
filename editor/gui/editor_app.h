// VRXEditor's application object: sets up the profile and runs the sheet;
// the program ends when the sheet closes.
#pragma once

#include <wx/app.h>

namespace vrx::editor {

class CEditorApp : public wxApp {
 public:
  bool OnInit() override;
  int OnRun() override;
};

}  // namespace vrx::editor
