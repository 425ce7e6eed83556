// vrxtool import: a data file from JSON or CSV, after the editor's checks.
#include <memory>
#include <string>

#include "config/config_exchange.h"
#include "editor/core/import_error_text.h"
#include "resources/tool_messages.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"
#include "tools/vrxtool/exchange_format_option.h"

namespace vrxtool {
namespace {

class ImportCommand final : public Command {
 public:
  std::string Name() const override { return "import"; }
  std::string Summary() const override {
    return "Make a data file from JSON or CSV (made by export, or by hand)";
  }
  std::string Footer() const override {
    return "What IN does not give comes from --base (default: a fresh editor's file); a\n"
           "CSV gives only keys.  Codes are checked as the editor checks them: a bad entry\n"
           "is reported with its line and key number, and OUT is not written.  IN may\n"
           "be at most 4 MB (a full export is about 50 KB).\n"
           "Formats: docs/exchange.md.\n"
           "Exit status: 0 written, 1 refused (message on stderr), 2 usage error.\n"
           "Example:\n  vrxtool import keys.csv keyboard.vrx --base keyboard.vrx";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("IN", input_, "JSON or CSV file")->required();
    sub.add_option("OUT.vrx", output_, "Data file to create or replace")->required();
    sub.add_option("--base", base_, "Data file that gives what IN does not");
    AddFormatOption(sub, format_);
    sub.parse_complete_callback([this] {
      if (!ChosenFormat(format_, input_))
        throw CLI::ValidationError("--format", "give --format json or csv for " + input_);
    });
  }
  int Execute() override {
    vrx::ConfigImage image = base_.empty() ? vrx::ConfigImage{} : LoadDataFile(base_);
    const std::optional<std::string> text = ReadInputFile(input_, vrx::kImportFileLimit);
    if (!text)
      throw CommandFailure(input_ + ": " + std::string(vrx::tool_msg::ImportFileTooLarge()));
    if (const auto error = vrx::ImportConfig(*ChosenFormat(format_, input_), *text, image))
      throw CommandFailure(vrx::ImportErrorText(input_, *error));
    SaveDataFile(output_, image);
    return kExitOk;
  }

 private:
  std::string input_;
  std::string output_;
  std::string base_;
  std::string format_;
};

}  // namespace

std::unique_ptr<Command> MakeImportCommand() { return std::make_unique<ImportCommand>(); }

}  // namespace vrxtool
