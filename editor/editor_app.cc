#include "editor_app.h"

#include "program_entry.h"
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

int main(int argc, char** argv) {
  return vrx::ui::RunGuiProgram(new vrx::editor::CEditorApp, argc, argv);
}
