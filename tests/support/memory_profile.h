// Profile values in memory, recording every write in order.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace vrx::test {

class MemoryProfile : public ProfileStore {
 public:
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) override;
  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool WriteInt(std::string_view section, std::string_view key, int value) override;

  std::map<std::string, std::string> values;  // "Option/COM" -> "COM3"
  std::vector<std::string> writes;            // "Option/COM=COM3", in order
};

}  // namespace vrx::test
