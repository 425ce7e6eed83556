// vrxtool diff: what differs between two data files, in the terms of show.
#include <iostream>
#include <memory>
#include <string>

#include "config/config_report.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"

namespace vrxtool {
namespace {

class DiffCommand final : public Command {
 public:
  std::string Name() const override { return "diff"; }
  std::string Summary() const override {
    return "Print what differs between two data files (exit 0 equal, 1 different)";
  }
  std::string Footer() const override {
    return "Lines of A start with '-', lines of B with '+'; characters are drawn side by\n"
           "side (A | B).  Files are compared as the editor reads them, so layout, case\n"
           "and comments do not count.\n"
           "Exit status: 0 equal, 1 different, or a file could not be read (message on\n"
           "stderr), 2 usage error.\n"
           "Example:\n  vrxtool diff old.vrx new.vrx";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("A.vrx", before_, "First data file")->required();
    sub.add_option("B.vrx", after_, "Second data file")->required();
  }
  int Execute() override {
    const std::string differences = vrx::DiffConfigs(LoadDataFile(before_), LoadDataFile(after_));
    std::cout << differences << std::flush;
    return differences.empty() ? kExitOk : kExitFailure;
  }

 private:
  std::string before_;
  std::string after_;
};

}  // namespace

std::unique_ptr<Command> MakeDiffCommand() { return std::make_unique<DiffCommand>(); }

}  // namespace vrxtool
