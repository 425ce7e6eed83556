// vrxtool normalize: reads a data file as the editor opens it and writes it
// back as the editor saves it.
#include <string>

#include "command.h"
#include "config_image.h"
#include "data_file.h"
#include "message_table.h"
#include "output_file.h"

namespace vrxtool {
namespace {

std::function<int()> SetupNormalize(CLI::App& app) {
  auto* sub = app.add_subcommand(
      "normalize", "Rewrite a data file in the editor's layout (upper-case values, comments)");
  auto input = std::make_shared<std::string>();
  auto output = std::make_shared<std::string>();
  sub->add_option("IN.vrx", *input, "Data file to read (any layout the programs accept)")
      ->required();
  sub->add_option("OUT.vrx", *output, "Data file to write, - for standard output; left untouched if IN cannot be read")
      ->required();
  sub->footer("Example:\n  vrxtool normalize hand-edited.txt keyboard.vrx");
  return [input, output] {
    vrx::ConfigImage image;
    if (const int message = vrx::ReadDataFile(*input, image); message != 0) {
      PrintError(vrx::EditorMessage(message));
      return kExitFailure;
    }
    if (!WriteOutputFile(*output, vrx::DataFileContents(image))) {
      PrintError(vrx::EditorMessage(vrx::editor_msg::kFileOpenFailed));
      return kExitFailure;
    }
    return kExitOk;
  };
}

const bool registered = RegisterCommand(20, SetupNormalize);

}  // namespace
}  // namespace vrxtool
