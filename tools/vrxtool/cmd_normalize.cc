// vrxtool normalize: reads a data file as the editor opens it and writes it
// back as the editor saves it.
#include <memory>
#include <string>

#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"

namespace vrxtool {
namespace {

class NormalizeCommand final : public Command {
 public:
  std::string Name() const override { return "normalize"; }
  std::string Summary() const override {
    return "Rewrite a data file in the editor's layout (upper-case values, comments)";
  }
  std::string Footer() const override {
    return "Example:\n  vrxtool normalize hand-edited.txt keyboard.vrx";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("IN.vrx", input_, "Data file to read (any layout the programs accept)")
        ->required();
    sub.add_option("OUT.vrx", output_,
                   "Data file to write, - for standard output; left untouched if IN cannot be read")
        ->required();
  }
  int Execute() override {
    SaveDataFile(output_, LoadDataFile(input_));
    return kExitOk;
  }

 private:
  std::string input_;
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeNormalizeCommand() { return std::make_unique<NormalizeCommand>(); }

}  // namespace vrxtool
