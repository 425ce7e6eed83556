// vrxtool image: the flash image exactly as the writer builds it when 書込み
// is pressed, written to a file instead of the module.
#include <memory>
#include <string>

#include "command.h"
#include "data_file.h"
#include "firmware_container.h"
#include "message_table.h"
#include "module_path.h"
#include "output_file.h"

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
    sub.add_option("OUT.bin", output_, "Image file to create or replace, - for standard output")->required();
    sub.add_option("--container", container_,
                   "Executable carrying the firmware payload (default: VRXWriter in the same "
                   "folder as vrxtool)");
  }
  int Execute() override {
    // An installed vrxtool sits beside the writer.
    const std::filesystem::path container =
        container_.empty() ? vrx::OwnExecutablePath().parent_path() / "VRXWriter"
                           : std::filesystem::path(container_);
    vrx::FlashImage image;
    if (const int failure = vrx::ReadFirmwarePayload(container, image);
        failure != vrx::kContainerOk)
      throw CommandFailure(vrx::ContainerFailureText(failure));
    if (const int message = vrx::LoadConfigIntoFlashImage(dataFile_, image); message != 0)
      throw CommandFailure(vrx::WriterMessage(message));
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    if (!WriteOutputFile(output_, bytes)) throw CommandFailure("cannot write " + output_);
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
