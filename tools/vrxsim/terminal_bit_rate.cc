#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vrx::sim {

int TerminalBitRate(int fd) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return 0;
  return static_cast<int>(settings.c_ospeed);
}

}  // namespace vrx::sim
