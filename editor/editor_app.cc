#include "editor_app.h"

#include <string>
#include <vector>

#include "info_options.h"
#include "program_entry.h"
#include "program_usage.h"
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

// --help and --version are answered before the toolkit needs a display.
int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv, argv + argc);
  if (auto status = vrx::ui::AnswerInfoOption(arguments, "VRXEditor", vrx::EditorUsage()))
    return *status;
  return vrx::ui::RunGuiProgram(new vrx::editor::CEditorApp, argc, argv);
}
