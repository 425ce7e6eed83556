// ProfileStore in the registry: HKEY_CURRENT_USER\Software\Zentrolith\
// <program>\<section>, texts as REG_SZ and numbers as REG_DWORD (the layout
// wxRegConfig uses too).  Every write reaches the registry at once.
#pragma once

#include <string>

#include "platform/profile.h"

namespace vrx {

class RegistryProfile final : public ProfileStore {
 public:
  explicit RegistryProfile(std::string_view programName);

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) override;
  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool WriteInt(std::string_view section, std::string_view key, int value) override;

 private:
  std::wstring SubKey(std::string_view section) const;

  std::wstring programKey_;  // Software\Zentrolith\<program>
};

}  // namespace vrx
