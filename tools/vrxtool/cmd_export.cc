// vrxtool export: a data file as JSON (everything) or CSV (the key map).
#include <memory>
#include <string>

#include "config/config_exchange.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"
#include "tools/vrxtool/exchange_format_option.h"

namespace vrxtool {
namespace {

class ExportCommand final : public Command {
 public:
  std::string Name() const override { return "export"; }
  std::string Summary() const override {
    return "Write a data file as JSON (everything in it) or CSV (the key map)";
  }
  std::string Footer() const override {
    return "The format comes from --format, else from OUT's extension, else JSON; without\n"
           "OUT (or with -) the text goes to stdout.  `vrxtool import` of the result gives\n"
           "the data file back byte for byte.  Formats: docs/exchange.md.\n"
           "Example:\n  vrxtool export keyboard.vrx keyboard.json\n"
           "  vrxtool export keyboard.vrx --format csv > keys.csv";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("FILE.vrx", input_, "Data file")->required();
    sub.add_option("OUT", output_, "File to create or replace (default: stdout)");
    AddFormatOption(sub, format_);
  }
  int Execute() override {
    const vrx::ConfigImage image = LoadDataFile(input_);
    const auto format = ChosenFormat(format_, output_).value_or(vrx::ExchangeFormat::kJson);
    WriteWholeFile(output_, vrx::ExportConfig(format, image));
    return kExitOk;
  }

 private:
  std::string input_;
  std::string output_ = "-";
  std::string format_;
};

}  // namespace

std::unique_ptr<Command> MakeExportCommand() { return std::make_unique<ExportCommand>(); }

}  // namespace vrxtool
