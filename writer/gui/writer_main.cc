// VRXWriter's entry point.  The arguments are kept as the system gave them
// before wx converts its own copy.
#include <string>
#include <vector>

#include "resources/program_usage.h"
#include "ui/info_options.h"
#include "ui/program_entry.h"
#include "writer/gui/writer_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  if (auto status = vrx::ui::AnswerInfoOption(arguments, "VRXWriter", vrx::WriterUsage()))
    return *status;
  return vrx::ui::RunGuiProgram(new vrx::writer::CWriterApp(std::move(arguments)), argc, argv);
}
