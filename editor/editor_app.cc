#include "editor_app.h"

#include "vrx_sheet.h"
#include "wx_profile.h"

namespace vrx::editor {

bool CEditorApp::OnInit() {
  // The editor ignores its command line: it always starts with a fresh
  // configuration and no file.
  ui::InstallProgramConfig();
  return true;
}

int CEditorApp::OnRun() {
  CVRXSheet sheet;
  sheet.ShowModal();
  return 0;
}

}  // namespace vrx::editor

wxIMPLEMENT_APP(vrx::editor::CEditorApp);
