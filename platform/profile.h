// Per-user program settings (section/value pairs).  On Windows the programs
// keep them in the registry; here they live in one small INI-style file per
// program, $XDG_CONFIG_HOME/Zentrolith/<program>.conf, which wxFileConfig
// reads and writes in the same format.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vrx {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) = 0;
  virtual int ReadInt(std::string_view section, std::string_view key, int fallback) = 0;
  // False when the value could not be stored.
  virtual bool WriteString(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  virtual bool WriteInt(std::string_view section, std::string_view key, int value) = 0;
};

// The folder that holds the Zentrolith profiles and the port mapping
// ($XDG_CONFIG_HOME/Zentrolith, else ~/.config/Zentrolith).  Not created here.
std::filesystem::path ZentrolithConfigDir();

// The profile file of one program, named after the program ("VRXWriter").
std::filesystem::path ProfilePath(std::string_view programName);

}  // namespace vrx
