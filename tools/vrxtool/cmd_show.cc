// vrxtool show: a data file as readable text.
#include <iostream>
#include <memory>
#include <string>

#include "config/config_report.h"
#include "editor/core/key_description.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"

namespace vrxtool {
namespace {

class ShowCommand final : public Command {
 public:
  std::string Name() const override { return "show"; }
  std::string Summary() const override {
    return "Print a data file's options, speed, PO4-PO7, characters and key map";
  }
  std::string Footer() const override {
    return "Keys are listed by number, matrix row and column, typematic flag, make and\n"
           "break code and the name of the PC key the make code stands for; without\n"
           "--all only those that differ from a fresh file.\n"
           "Example:\n  vrxtool show keyboard.vrx --all";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("FILE.vrx", input_, "Data file")->required();
    sub.add_flag("--all", allKeys_, "List all 128 keys");
  }
  int Execute() override {
    std::cout << vrx::ShowConfig(LoadDataFile(input_), allKeys_, vrx::editor::KeyNameForMakeCode)
              << std::flush;
    return kExitOk;
  }

 private:
  std::string input_;
  bool allKeys_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeShowCommand() { return std::make_unique<ShowCommand>(); }

}  // namespace vrxtool
