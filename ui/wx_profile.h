// The programs' per-user profile through wxConfig: the registry key
// Software\Zentrolith\<program> on Windows, the file ProfilePath(<program>)
// elsewhere.
#pragma once

#include <memory>
#include <string>

#include "profile.h"

class wxConfigBase;

namespace vrx::ui {

// vrx::ProfileStore over any wxConfigBase; sections become config groups
// ("/Option/COM").  The config is borrowed, not owned.
class WxConfigProfile : public ProfileStore {
 public:
  explicit WxConfigProfile(wxConfigBase& config) : config_(config) {}

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) override;
  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  bool WriteString(std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool WriteInt(std::string_view section, std::string_view key, int value) override;

 private:
  wxConfigBase& config_;
};

// The vendor under which both programs keep their profile.
inline constexpr const char* kProfileVendor = "Zentrolith";

// The program's own config, not installed anywhere (one backend per
// platform: the registry on Windows, the profile file elsewhere).
wxConfigBase* CreateProgramConfig(const std::string& programName);

// Creates the program's config (making the Zentrolith folder when missing)
// and installs it as wxConfigBase::Get().  Returns the installed config,
// owned by wx from then on.
wxConfigBase* InstallProgramConfig(const std::string& programName);
wxConfigBase* InstallProgramConfig();  // for ProgramName()

}  // namespace vrx::ui
