// ProfileStore on one INI-style file, in the format wxFileConfig reads and
// writes ("[Option]\nCOM=COM3\nBAUD=4\n"), so vrxtool and the GUIs (which
// use wxConfig on the same file) share the values.  Lines it does not
// understand are kept as they are.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/settings_file.h"

namespace vrx {

class IniProfile final : public ProfileStore {
 public:
  // A file that cannot be used as a profile goes to `report` when read.
  explicit IniProfile(std::filesystem::path file, SettingsProblemSink report = {});

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) override;
  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  // Rewrites the file atomically under the profile lock, creating its folder
  // first (a symbolic link is written through); false, never an exception,
  // when that is not possible or when the file exists but cannot be read.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool WriteInt(std::string_view section, std::string_view key, int value) override;
  // One read of the file for all items; one rewrite under the lock.
  void ReadValues(std::string_view section, std::span<ProfileItem> items) override;
  bool WriteValues(std::string_view section, std::span<const ProfileItem> items) override;

  const std::filesystem::path& file() const { return file_; }

 private:
  // Nothing when the file is there but cannot be used as a profile.
  std::optional<std::vector<std::string>> ReadLines() const;

  std::filesystem::path file_;
  SettingsProblemSink report_;
};

}  // namespace vrx
