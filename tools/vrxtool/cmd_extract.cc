// vrxtool extract: the data file back out of a flash image, for a module
// whose file was lost.
#include <algorithm>
#include <memory>
#include <string>

#include "config/config_block.h"
#include "resources/tool_messages.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/data_file_io.h"

namespace vrxtool {
namespace {

class ExtractCommand final : public Command {
 public:
  std::string Name() const override { return "extract"; }
  std::string Summary() const override {
    return "Turn a 32768-byte flash image back into the editor's data file";
  }
  std::string Footer() const override {
    return "Reads the configuration at 0x5000..0x70FF as the editor reads a data file and\n"
           "saves it as the editor does; `vrxtool normalize` of the original gives the same\n"
           "bytes.  OUT.vrx is written only on success.\n"
           "Exit status: 0 extracted, 1 failed (message on stderr).\n"
           "Example:\n  vrxtool read --port COM1 backup.bin && vrxtool extract backup.bin "
           "keyboard.vrx";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("FLASH.bin", input_, "Flash image (from `vrxtool read` or `vrxtool image`)")
        ->required();
    sub.add_option("OUT.vrx", output_, "Data file to create or replace")->required();
  }
  int Execute() override {
    // A larger file is refused by its size, unread.
    const std::optional<std::string> bytes = ReadInputFile(input_, vrx::kFlashSize);
    if (!bytes || bytes->size() != vrx::kFlashSize)
      throw CommandFailure(input_ + ": " + std::string(vrx::tool_msg::NotAFlashImage()));
    vrx::FlashImage flash;
    std::copy(bytes->begin(), bytes->end(), flash.begin());
    const vrx::ConfigBlock block = vrx::BlockOfFlashImage(flash);
    if (std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0xFF; }))
      throw CommandFailure(input_ + ": " + std::string(vrx::tool_msg::ErasedConfiguration()));
    vrx::ConfigImage image;
    vrx::BlockToImage(block, image);
    SaveDataFile(output_, image);
    return kExitOk;
  }

 private:
  std::string input_;
  std::string output_;
};

}  // namespace

std::unique_ptr<Command> MakeExtractCommand() { return std::make_unique<ExtractCommand>(); }

}  // namespace vrxtool
