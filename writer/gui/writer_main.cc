// VRXWriter's entry point.  The arguments are kept as the system gave them
// before wx converts its own copy.
#include <string>
#include <vector>

#include "platform/program_arguments.h"
#include "resources/program_usage.h"
#include "ui/info_options.h"
#include "ui/program_entry.h"
#include "writer/gui/writer_app.h"

int main(int argc, char** argv) {
  // The data file the editor names may hold any character: the wide
  // command line on Windows, the bytes as given elsewhere.
  std::vector<std::string> arguments = vrx::Utf8Arguments(argc, argv).strings();
  vrx::ui::UseChosenLanguage();
  if (auto status = vrx::ui::AnswerInfoOption(arguments, "VRXWriter", vrx::WriterUsage()))
    return *status;
  return vrx::ui::RunGuiProgram(new vrx::writer::CWriterApp(std::move(arguments)), argc, argv);
}
