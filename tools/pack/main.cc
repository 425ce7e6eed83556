// vrx_pack FIRMWARE.bin EXE --key HEX16: appends the enciphered firmware to
// EXE after linking (and again after an install has stripped it).
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "firmware_pack.h"

int main(int argc, char** argv) {
  CLI::App app{"Enciphers a firmware image and appends it to an executable, replacing a "
               "payload appended earlier."};
  std::string firmware;
  std::string executable;
  std::string key;
  app.add_option("FIRMWARE", firmware, "Plain firmware image, at most 32768 bytes")->required();
  app.add_option("EXE", executable, "Executable that receives the payload")->required();
  app.add_option("--key", key, "DES key, 16 hexadecimal digits")->required();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  const vrx::PackResult result = vrx::PackFirmwareFile(firmware, executable, key);
  if (result != vrx::PackResult::kOk) {
    std::cerr << "vrx_pack: " << vrx::PackErrorMessage(result, firmware, executable) << '\n';
    return 1;
  }
  return 0;
}
