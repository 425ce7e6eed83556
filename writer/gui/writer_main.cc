// VRXWriter's entry point.  The arguments are kept as the system gave them
// before wx converts its own copy.
#include <wx/app.h>

#include <string>
#include <vector>

#include "info_options.h"
#include "program_usage.h"
#include "writer_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  if (auto status = vrx::ui::AnswerInfoOption(arguments, "VRXWriter", vrx::WriterUsage()))
    return *status;
  wxApp::SetInstance(new vrx::writer::CWriterApp(std::move(arguments)));
  return wxEntry(argc, argv);
}
