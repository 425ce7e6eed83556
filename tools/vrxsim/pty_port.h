// The module's end of a pseudo-terminal.  The host opens the slave path
// like a serial port; the simulator reads and writes the master.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vrx::sim {

class PtyPort {
 public:
  // Opens a master, makes the slave raw (no echo, no line editing, no
  // XON/XOFF) and, when `linkPath` is not empty, points a symlink there at
  // the slave.  Null with `error` set on failure.
  static std::unique_ptr<PtyPort> Create(const std::filesystem::path& linkPath, std::string& error);
  ~PtyPort();
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }
  const std::filesystem::path& LinkPath() const { return linkPath_; }

  // The output bit rate the host last set on the slave (the master sees
  // the slave's settings); 0 when it cannot be read.
  int HostBitRate() const;

  // Closes the master at once: the host's end hangs up, as when a USB
  // adapter is pulled.  Also removes the symlink.
  void Vanish();

 private:
  PtyPort(int master, std::string slavePath) : master_(master), slavePath_(std::move(slavePath)) {}
  void RemoveLink();

  int master_;
  std::string slavePath_;
  std::filesystem::path linkPath_;
};

// Reads the bit rate of a terminal from the kernel's termios2, which holds
// arbitrary rates as plain numbers.  Kept apart because <asm/termbits.h>
// cannot share a file with <termios.h>.
int TerminalBitRate(int fd);

}  // namespace vrx::sim
