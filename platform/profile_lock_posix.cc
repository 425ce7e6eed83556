// POSIX backend: flock on the profile's folder, which outlives the atomic
// renames that replace the file itself (a lock on the file would be lost
// with the inode it was taken on), and leaves no lock file behind.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/profile_lock.h"

namespace vrx {

ProfileLock::ProfileLock(const std::filesystem::path& profileFile) {
  std::filesystem::path folder = profileFile.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  int result = 0;
  while ((result = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    ::close(fd);
    return;
  }
  handle_ = fd;
}

ProfileLock::~ProfileLock() {
  if (held()) ::close(static_cast<int>(handle_));  // closing releases the lock
}

}  // namespace vrx
