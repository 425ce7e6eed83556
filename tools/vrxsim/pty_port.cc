#include "tools/vrxsim/pty_port.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace vrx::sim {

std::unique_ptr<PtyPort> PtyPort::Create(const std::filesystem::path& linkPath,
                                         std::string& error) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  char name[128];
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
      ptsname_r(master, name, sizeof name) != 0) {
    error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
    if (master >= 0) close(master);
    return nullptr;
  }
  std::unique_ptr<PtyPort> port(new PtyPort(master, name));

  // Raw from the start: a host that opens the slave before setting it up
  // must not see its bytes echoed or 0x11/0x13 eaten.
  termios settings{};
  if (tcgetattr(master, &settings) != 0) {
    error = std::string("cannot read the pseudo-terminal settings: ") + std::strerror(errno);
    return nullptr;
  }
  cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  if (tcsetattr(master, TCSANOW, &settings) != 0) {
    error = std::string("cannot make the pseudo-terminal raw: ") + std::strerror(errno);
    return nullptr;
  }

  if (!linkPath.empty()) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(linkPath, ec)) &&
        !std::filesystem::is_symlink(std::filesystem::symlink_status(linkPath, ec))) {
      error = "will not replace " + linkPath.string() + ": it exists and is not a symlink";
      return nullptr;
    }
    std::filesystem::remove(linkPath, ec);
    std::filesystem::create_symlink(port->slavePath_, linkPath, ec);
    if (ec) {
      error = "cannot create the symlink " + linkPath.string() + ": " + ec.message();
      return nullptr;
    }
    port->linkPath_ = linkPath;
  }
  return port;
}

PtyPort::~PtyPort() {
  if (master_ >= 0) close(master_);
  RemoveLink();
}

void PtyPort::RemoveLink() {
  if (linkPath_.empty()) return;
  // Only our own link: another simulator may have taken the name since.
  std::error_code ec;
  if (std::filesystem::read_symlink(linkPath_, ec) == slavePath_) {
    std::filesystem::remove(linkPath_, ec);
  }
  linkPath_.clear();
}

int PtyPort::HostBitRate() const { return TerminalBitRate(master_); }

void PtyPort::Vanish() {
  if (master_ >= 0) close(master_);
  master_ = -1;
  RemoveLink();
}

}  // namespace vrx::sim
