#include "tests/support/memory_profile.h"

namespace vrx::test {
namespace {

std::string Key(std::string_view section, std::string_view key) {
  return std::string(section) + "/" + std::string(key);
}

}  // namespace

std::string MemoryProfile::ReadString(std::string_view section, std::string_view key,
                                      std::string_view fallback) {
  const auto found = values.find(Key(section, key));
  return found == values.end() ? std::string(fallback) : found->second;
}

int MemoryProfile::ReadInt(std::string_view section, std::string_view key, int fallback) {
  const auto found = values.find(Key(section, key));
  return found == values.end() ? fallback : std::stoi(found->second);
}

bool MemoryProfile::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
  writes.push_back(Key(section, key) + "=" + std::string(value));
  values[Key(section, key)] = std::string(value);
  return true;
}

bool MemoryProfile::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

}  // namespace vrx::test
