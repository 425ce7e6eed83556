// vrxtool new: the data file of a fresh editor.
#include <memory>
#include <string>

#include "config/config_image.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"

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
    sub.add_option("OUT.vrx", output_, "Data file to create or replace, - for standard output")
        ->required();
  }
  int Execute() override {
    SaveDataFile(output_, vrx::ConfigImage{});
    return kExitOk;
  }

 private:
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeNewCommand() { return std::make_unique<NewCommand>(); }

}  // namespace vrxtool
