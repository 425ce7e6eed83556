#include <windows.h>

#include <charconv>
#include <climits>

#include "platform/profile_registry_win32.h"
#include "platform/wide_text_win32.h"

namespace vrx {

RegistryProfile::RegistryProfile(std::string_view programName)
    : programKey_(L"Software\\Zentrolith\\" + WidenUtf8(programName)) {}

std::wstring RegistryProfile::SubKey(std::string_view section) const {
  return programKey_ + L"\\" + WidenUtf8(section);
}

std::string RegistryProfile::ReadString(std::string_view section, std::string_view key,
                                        std::string_view fallback) {
  const std::wstring subKey = SubKey(section);
  const std::wstring name = WidenUtf8(key);
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                   &size) != ERROR_SUCCESS ||
      size > 64 * 1024)
    return std::string(fallback);
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                   value.data(), &size) != ERROR_SUCCESS)
    return std::string(fallback);
  value.resize(wcsnlen(value.c_str(), value.size()));
  return NarrowToUtf8(value);
}

int RegistryProfile::ReadInt(std::string_view section, std::string_view key, int fallback) {
  const std::wstring subKey = SubKey(section);
  const std::wstring name = WidenUtf8(key);
  DWORD number = 0;
  DWORD size = sizeof number;
  if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr,
                   &number, &size) == ERROR_SUCCESS)
    return static_cast<int>(static_cast<LONG>(number));
  // A number somebody stored as text is read as wxRegConfig would.
  const std::string text = ReadString(section, key, "");
  int parsed = 0;
  const char* end = text.data() + text.size();
  auto [next, error] = std::from_chars(text.data(), end, parsed);
  return !text.empty() && error == std::errc() && next == end ? parsed : fallback;
}

bool RegistryProfile::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  const std::wstring wide = WidenUtf8(value);
  return RegSetKeyValueW(HKEY_CURRENT_USER, SubKey(section).c_str(), WidenUtf8(key).c_str(), REG_SZ,
                         wide.c_str(),
                         static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegistryProfile::WriteInt(std::string_view section, std::string_view key, int value) {
  const DWORD number = static_cast<DWORD>(value);
  return RegSetKeyValueW(HKEY_CURRENT_USER, SubKey(section).c_str(), WidenUtf8(key).c_str(),
                         REG_DWORD, &number, sizeof number) == ERROR_SUCCESS;
}

}  // namespace vrx
