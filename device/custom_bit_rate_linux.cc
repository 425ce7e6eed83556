// Kept apart from the termios code: <asm/termbits.h> and <termios.h> cannot
// be included together.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "device/custom_bit_rate.h"

namespace vrx {

bool SetCustomBitRate(int fd, int bitRate) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return false;
  settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  settings.c_ispeed = static_cast<speed_t>(bitRate);
  settings.c_ospeed = static_cast<speed_t>(bitRate);
  return ioctl(fd, TCSETS2, &settings) == 0;
}

}  // namespace vrx
