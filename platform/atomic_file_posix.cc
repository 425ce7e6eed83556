#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

#include "platform/atomic_file.h"

namespace vrx {
namespace {

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The signals that end a program from the terminal or the session.  While a
// temporary file exists they are only noted, and delivered again once it is
// gone, so that no half-written "*.~PID_N" file is ever left behind.  A
// file-size limit (SIGXFSZ) is ignored meanwhile instead: the write then
// fails with EFBIG and the save fails the ordinary way.
constexpr int kEndingSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};
constexpr std::size_t kEndingSignalCount = std::size(kEndingSignals);
volatile std::sig_atomic_t deferredSignals[kEndingSignalCount];

void NoteEndingSignal(int signal) {
  for (std::size_t i = 0; i < kEndingSignalCount; ++i) {
    if (kEndingSignals[i] == signal) deferredSignals[i] = 1;
  }
}

class DeferEndingSignals {
 public:
  DeferEndingSignals() {
    struct sigaction note {};
    note.sa_handler = NoteEndingSignal;
    sigemptyset(&note.sa_mask);
    note.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndingSignalCount; ++i) {
      deferredSignals[i] = 0;
      ::sigaction(kEndingSignals[i], &note, &previous_[i]);
    }
  }
  // Whatever handled the signals before (the default, a handler of the
  // program, or ignoring them) gets the ones that came meanwhile.
  ~DeferEndingSignals() {
    for (std::size_t i = 0; i < kEndingSignalCount; ++i) {
      ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
    }
    for (std::size_t i = 0; i < kEndingSignalCount; ++i) {
      if (deferredSignals[i]) ::raise(kEndingSignals[i]);
    }
  }
  DeferEndingSignals(const DeferEndingSignals&) = delete;
  DeferEndingSignals& operator=(const DeferEndingSignals&) = delete;

 private:
  struct sigaction previous_[kEndingSignalCount] {};
};

class IgnoreFileSizeSignal {
 public:
  IgnoreFileSizeSignal() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &previous_);
  }
  ~IgnoreFileSizeSignal() { ::sigaction(SIGXFSZ, &previous_, nullptr); }
  IgnoreFileSizeSignal(const IgnoreFileSizeSignal&) = delete;
  IgnoreFileSizeSignal& operator=(const IgnoreFileSizeSignal&) = delete;

 private:
  struct sigaction previous_ {};
};

// Whether the kernel would follow `link` (protected_symlinks): not when it
// sits in a sticky folder anyone may write (/tmp) and belongs neither to
// the folder's owner nor to us, since then anyone could have planted it.
bool MayFollow(const std::filesystem::path& link, const struct stat& linkInfo) {
  std::filesystem::path folder = link.parent_path();
  if (folder.empty()) folder = ".";
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0) return false;
  const bool shared = (folderInfo.st_mode & S_ISVTX) != 0 && (folderInfo.st_mode & S_IWOTH) != 0;
  return !shared || linkInfo.st_uid == folderInfo.st_uid || linkInfo.st_uid == ::geteuid();
}

// Where a chain of symbolic links ends: `path` itself when it is no link,
// the (perhaps missing) file the last link names otherwise.  Nothing for a
// loop, or for a link the kernel would refuse to follow.
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    if (!MayFollow(path, info)) return std::nullopt;
    std::error_code error;
    std::filesystem::path next = std::filesystem::read_symlink(path, error);
    if (error) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::nullopt;
}

bool SameFile(const std::filesystem::path& path, const struct stat& expected) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && info.st_dev == expected.st_dev &&
         info.st_ino == expected.st_ino;
}

// A device, FIFO or open-file link is written as it is, the way cp does.
bool WriteInPlace(const std::filesystem::path& target, std::string_view contents) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, contents);
  return (::close(fd) == 0) && ok;
}

// A fresh name beside the target, created exclusively so that no other file
// is ever overwritten.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += ".~" + std::to_string(::getpid()) + "_" + std::to_string(attempt);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself has already succeeded
  ::close(fd);
}

bool ReplaceRegularFile(const std::filesystem::path& target, std::string_view contents) {
  DeferEndingSignals deferred;
  IgnoreFileSizeSignal failInstead;
  std::filesystem::path temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) return false;

  // An existing file keeps its permissions, and its owner and group where we
  // may give them (root replacing a user's file); the mode comes last, as a
  // change of owner clears the set-id bits.
  struct stat old {};
  bool ok = true;
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, -1, old.st_gid);
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(fd, contents) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

}  // namespace

bool MayReplaceFile(const std::filesystem::path& target) {
  return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

bool ReplaceFileContents(const std::filesystem::path& requested, std::string_view contents) {
  if (requested.empty() || !MayReplaceFile(requested)) return false;
  struct stat existing {};
  const bool exists = ::stat(requested.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return false;
  if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(requested, contents);

  const auto target = FollowLinks(requested);
  if (!target) return false;
  // A link that leads elsewhere than its name says (an open file's link
  // under /proc whose file was deleted) can only be written in place.
  if (exists && !SameFile(*target, existing)) return WriteInPlace(requested, contents);
  return ReplaceRegularFile(*target, contents);
}

bool WriteStandardOutput(std::string_view contents) {
  IgnoreFileSizeSignal failInstead;  // a file-size limit on a redirection fails the write
  return WriteAll(STDOUT_FILENO, contents);
}

}  // namespace vrx
