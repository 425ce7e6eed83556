// Serialises read-modify-write of one profile file between programs: without
// it, two programs storing COM and BAUD at the same moment could leave COM of
// one and BAUD of the other.
#pragma once

#include <cstdint>
#include <filesystem>

namespace vrx {

class ProfileLock {
 public:
  // Waits until no other program holds the lock of `profileFile`.  Not
  // getting it (a folder that cannot be opened) does not stop the save.
  explicit ProfileLock(const std::filesystem::path& profileFile);
  ~ProfileLock();
  ProfileLock(const ProfileLock&) = delete;
  ProfileLock& operator=(const ProfileLock&) = delete;

  bool held() const { return handle_ != kNone; }

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;
};

}  // namespace vrx
