// A program profile of arbitrary bytes: reading never fails, and storing
// the port and speed gives them back while every other value stays.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile_ini.h"
#include "tests/fuzz/fuzz_input_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vrx::fuzz::InputFile input(data, size);
  vrx::IniProfile profile(input.path());
  const std::string other = profile.ReadString("Other", "Name", "none");
  const int verify = profile.ReadInt("Option", "VERIFY", -7);
  (void)profile.ReadInt("Option", "BAUD", 4);
  if (!profile.WriteString("Option", "COM", "COM7") || !profile.WriteInt("Option", "BAUD", 2))
    return 0;
  Check(profile.ReadString("Option", "COM", "") == "COM7");
  Check(profile.ReadInt("Option", "BAUD", -1) == 2);
  Check(profile.ReadString("Other", "Name", "none") == other);
  Check(profile.ReadInt("Option", "VERIFY", -7) == verify);
  return 0;
}
