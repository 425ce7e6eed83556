// vrxtool new: the data file of a fresh editor.
#include <memory>
#include <string>

#include "command.h"
#include "config_image.h"
#include "data_file.h"
#include "message_table.h"
#include "output_file.h"

namespace vrxtool {
namespace {

class NewCommand final : public Command {
 public:
  std::string Name() const override { return "new"; }
  std::string Summary() const override {
    return "Write the data file of a fresh editor (all keys empty)";
  }
  std::string Footer() const override { return "Example:\n  vrxtool new blank.vrx"; }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("OUT.vrx", output_, "Data file to create or replace, - for standard output")->required();
  }
  int Execute() override {
    if (!WriteOutputFile(output_, vrx::DataFileContents(vrx::ConfigImage{})))
      throw CommandFailure(vrx::EditorMessage(vrx::editor_msg::kFileOpenFailed));
    return kExitOk;
  }

 private:
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeNewCommand() { return std::make_unique<NewCommand>(); }

}  // namespace vrxtool
