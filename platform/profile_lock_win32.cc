// Windows backend: a named mutex per profile file, in the session's
// namespace; a program that ends while holding it releases it.
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "platform/profile_lock.h"

namespace vrx {

ProfileLock::ProfileLock(const std::filesystem::path& profileFile) {
  std::error_code ignored;
  std::wstring name = std::filesystem::absolute(profileFile, ignored).wstring();
  // Mutex names may not hold backslashes; case does not tell files apart.
  std::replace(name.begin(), name.end(), L'\\', L'/');
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  name = L"Local\\vrx-profile:" + name.substr(0, 200);
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (!mutex) return;
  const DWORD waited = WaitForSingleObject(mutex, INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

ProfileLock::~ProfileLock() {
  if (!held()) return;
  const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

}  // namespace vrx
