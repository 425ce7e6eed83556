// vrxtool image: the flash image exactly as the writer builds it when 書込み
// is pressed, written to a file instead of the module.
#include <memory>
#include <string>

#include "tools/vrxtool/command.h"
#include "tools/vrxtool/image_source.h"

namespace vrxtool {
namespace {

class ImageCommand final : public Command {
 public:
  std::string Name() const override { return "image"; }
  std::string Summary() const override {
    return "Build the 32768-byte flash image the writer would program for DATAFILE";
  }
  std::string Footer() const override {
    return "The image is the firmware deciphered from the container, with the data file's\n"
           "configuration laid over 0x5000..0x70FF; OUT.bin is written only on success.\n"
           "Example:\n  vrxtool image keyboard.vrx flash.bin --container /usr/local/bin/VRXWriter";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("DATAFILE", dataFile_, "Data file (.vrx)")->required();
    sub.add_option("OUT.bin", output_, "Image file to create or replace, - for standard output")
        ->required();
    AddContainerOption(sub, container_);
  }
  int Execute() override {
    WriteFlashFile(output_, BuildFlashImage(dataFile_, container_));
    return kExitOk;
  }

 private:
  std::string dataFile_;
  std::string output_;
  std::string container_;
};

}  // namespace

std::unique_ptr<Command> MakeImageCommand() { return std::make_unique<ImageCommand>(); }

}  // namespace vrxtool
