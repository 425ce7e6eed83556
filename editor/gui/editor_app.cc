#include "editor/gui/editor_app.h"

#include <wx/config.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "config/settings_problems.h"
#include "editor/gui/vrx_sheet.h"
#include "platform/module_path.h"
#include "platform/program_arguments.h"
#include "platform/program_profile.h"
#include "platform/utf8_path.h"
#include "resources/program_usage.h"
#include "ui/info_options.h"
#include "ui/program_entry.h"

namespace vrx::editor {

CEditorApp::CEditorApp(std::vector<std::string> arguments, ProfileStore& profile)
    : arguments_(std::move(arguments)), profile_(profile) {}

bool CEditorApp::OnInit() {
  // A data file named on the command line (a desktop's "open with") is
  // opened once the window shows; otherwise the editor starts with a fresh
  // configuration and no file.  The profile is the project's own (opened
  // by main); wx must not create a config file of its own.
  wxConfigBase::DontCreateOnDemand();
  return true;
}

int CEditorApp::OnRun() {
  CVRXSheet sheet(profile_);
  if (arguments_.size() > 1) {
    const std::string& given = arguments_[1];
    std::error_code error;
    const auto absolute = std::filesystem::absolute(PathFromUtf8(given), error);
    sheet.CallAfter(
        [&sheet, file = error ? given : Utf8FromPath(absolute)] { sheet.OpenDataFile(file); });
  }
  sheet.ShowModal();
  return 0;
}

}  // namespace vrx::editor

// --help and --version are answered before the toolkit needs a display.
int main(int argc, char** argv) {
  std::vector<std::string> arguments = vrx::Utf8Arguments(argc, argv).strings();
  const auto profile = vrx::OpenProgramProfile(vrx::ProgramName(), vrx::PrintSettingsProblems());
  vrx::ui::UseChosenLanguage(*profile);
  if (auto status = vrx::ui::AnswerInfoOption(arguments, "VRXEditor", vrx::EditorUsage()))
    return *status;
  return vrx::ui::RunGuiProgram(new vrx::editor::CEditorApp(std::move(arguments), *profile), argc,
                                argv);
}
