// Per-user program settings (section/value pairs).  On Windows the programs
// keep them in the registry; here they live in one small INI-style file per
// program, $XDG_CONFIG_HOME/Zentrolith/<program>.conf, which wxFileConfig
// reads and writes in the same format.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace vrx {

// One value of a section: text, or a number (which the registry keeps as a
// number and a file as its digits).
using ProfileValue = std::variant<std::string, int>;
struct ProfileItem {
  std::string_view key;
  ProfileValue value;
};

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

  // Values that belong together (a port and its speed) read as one: each
  // item comes in with its fallback and leaves with what is stored, of the
  // same kind.  This default reads them one after the other; a store that
  // another program may change meanwhile overrides it.
  virtual void ReadValues(std::string_view section, std::span<ProfileItem> items) {
    for (ProfileItem& item : items) {
      if (auto* text = std::get_if<std::string>(&item.value))
        *text = ReadString(section, item.key, *text);
      else
        item.value = ReadInt(section, item.key, std::get<int>(item.value));
    }
  }
  // And stored as one change, so that no program reads some of them new and
  // others old.  False when they could not be stored.
  virtual bool WriteValues(std::string_view section, std::span<const ProfileItem> items) {
    bool stored = true;
    for (const ProfileItem& item : items) {
      if (const auto* text = std::get_if<std::string>(&item.value))
        stored = WriteString(section, item.key, *text) && stored;
      else
        stored = WriteInt(section, item.key, std::get<int>(item.value)) && stored;
    }
    return stored;
  }
};

// The folder that holds the Zentrolith profiles and the port mapping
// ($XDG_CONFIG_HOME/Zentrolith, else ~/.config/Zentrolith).  Not created here.
std::filesystem::path ZentrolithConfigDir();

// The profile file of one program, named after the program ("VRXWriter").
std::filesystem::path ProfilePath(std::string_view programName);

}  // namespace vrx
