// vrxtool pack: the same packaging step as the build's vrx_pack.
#include <memory>
#include <string>

#include "command.h"
#include "firmware_pack.h"

namespace vrxtool {
namespace {

struct PackArguments {
  std::string firmware;
  std::string executable;
  std::string key;
};

const bool registered = RegisterCommand(80, [](CLI::App& app) -> std::function<int()> {
  auto args = std::make_shared<PackArguments>();
  auto* sub = app.add_subcommand(
      "pack", "Encipher FIRMWARE and append it to EXE (replacing a payload appended earlier)");
  sub->add_option("FIRMWARE", args->firmware, "Plain firmware image, at most 32768 bytes")
      ->required();
  sub->add_option("EXE", args->executable, "Executable that receives the payload")->required();
  sub->add_option("--key", args->key, "DES key, 16 hexadecimal digits")->required();
  sub->footer("Example:\n  vrxtool pack firmware.bin VRXWriter --key 0123456789ABCDEF");
  return [args] {
    const int result = vrx::PackFirmwareFile(args->firmware, args->executable, args->key);
    if (result == vrx::kPackOk) return kExitOk;
    PrintError(vrx::PackErrorMessage(result, args->firmware, args->executable));
    return kExitFailure;
  };
});

}  // namespace
}  // namespace vrxtool
