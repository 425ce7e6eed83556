// VRXWriter's entry point.  The arguments are kept as the system gave them
// before wx converts its own copy.
#include <string>
#include <vector>

#include "config/settings_problems.h"
#include "platform/module_path.h"
#include "platform/program_arguments.h"
#include "platform/program_profile.h"
#include "resources/program_usage.h"
#include "ui/info_options.h"
#include "ui/program_entry.h"
#include "writer/gui/writer_app.h"

int main(int argc, char** argv) {
  // The data file the editor names may hold any character: the wide
  // command line on Windows, the bytes as given elsewhere.
  std::vector<std::string> arguments = vrx::Utf8Arguments(argc, argv).strings();
  const auto profile = vrx::OpenProgramProfile(vrx::ProgramName(), vrx::PrintSettingsProblems());
  vrx::ui::UseChosenLanguage(*profile);
  if (auto status = vrx::ui::AnswerInfoOption(arguments, "VRXWriter", vrx::WriterUsage()))
    return *status;
  return vrx::ui::RunGuiProgram(new vrx::writer::CWriterApp(std::move(arguments), *profile), argc,
                                argv);
}
