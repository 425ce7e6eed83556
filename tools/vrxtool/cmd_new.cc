// vrxtool new: the data file of a fresh editor.
#include <string>

#include "command.h"
#include "config_image.h"
#include "data_file.h"
#include "message_table.h"
#include "output_file.h"

namespace vrxtool {
namespace {

std::function<int()> SetupNew(CLI::App& app) {
  auto* sub = app.add_subcommand("new", "Write the data file of a fresh editor (all keys empty)");
  auto output = std::make_shared<std::string>();
  sub->add_option("OUT.vrx", *output, "Data file to create or replace, - for standard output")->required();
  sub->footer("Example:\n  vrxtool new blank.vrx");
  return [output] {
    if (!WriteOutputFile(*output, vrx::DataFileContents(vrx::ConfigImage{}))) {
      PrintError(vrx::EditorMessage(vrx::editor_msg::kFileOpenFailed));
      return kExitFailure;
    }
    return kExitOk;
  };
}

const bool registered = RegisterCommand(10, SetupNew);

}  // namespace
}  // namespace vrxtool
