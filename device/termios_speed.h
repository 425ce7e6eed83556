/* The termios constant for a standard bit rate, B0 when POSIX has none for
   it.  Plain C, so that the serial backend and the simulator's bare termios
   host share one table. */
#pragma once

#include <termios.h>

static inline speed_t vrx_termios_speed(int bit_rate) {
  switch (bit_rate) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    default:
      return B0;
  }
}
