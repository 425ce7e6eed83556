// vrxtool pack: the build's packaging step (see cmake/VrxPackFirmware.cmake).
#include <filesystem>
#include <memory>
#include <string>

#include "platform/utf8_path.h"
#include "tools/vrxtool/command.h"
#include "writer/firmware_pack.h"

namespace vrxtool {
namespace {

class PackCommand final : public Command {
 public:
  std::string Name() const override { return "pack"; }
  std::string Summary() const override {
    return "Encipher FIRMWARE and append it to EXE (replacing a payload appended earlier)";
  }
  std::string Footer() const override {
    return "Example:\n  vrxtool pack firmware.bin VRXWriter --key 0123456789ABCDEF";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("FIRMWARE", firmware_, "Plain firmware image, at most 32768 bytes")->required();
    sub.add_option("EXE", executable_, "Executable that receives the payload")->required();
    sub.add_option("--key", key_, "DES key, 16 hexadecimal digits")->required();
  }
  int Execute() override {
    const std::filesystem::path firmware = vrx::PathFromUtf8(firmware_);
    const std::filesystem::path executable = vrx::PathFromUtf8(executable_);
    const vrx::PackResult result = vrx::PackFirmwareFile(firmware, executable, key_);
    if (result != vrx::PackResult::kOk)
      throw CommandFailure(vrx::PackErrorMessage(result, firmware, executable));
    return kExitOk;
  }

 private:
  std::string firmware_;
  std::string executable_;
  std::string key_;
};

}  // namespace

std::unique_ptr<Command> MakePackCommand() { return std::make_unique<PackCommand>(); }

}  // namespace vrxtool
