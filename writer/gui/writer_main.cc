// VRXWriter's entry point.  The arguments are kept as the system gave them
// before wx converts its own copy.
#include <string>
#include <vector>

#include "program_entry.h"
#include "writer_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  return vrx::ui::RunGuiProgram(new vrx::writer::CWriterApp(std::move(arguments)), argc, argv);
}
