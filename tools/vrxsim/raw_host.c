#define _DEFAULT_SOURCE
#include "tools/vrxsim/raw_host.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include "device/termios_speed.h"

int raw_host_open(const char* path, int bit_rate) {
  const speed_t speed = vrx_termios_speed(bit_rate);
  if (speed == B0) return -1;
  const int fd = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct termios settings;
  if (tcgetattr(fd, &settings) != 0) goto fail;
  cfmakeraw(&settings);
  settings.c_cflag |= PARENB | CLOCAL | CREAD;
  cfsetispeed(&settings, speed);
  cfsetospeed(&settings, speed);
  /* A pty drops the parity bit and may then refuse an otherwise empty
     change; only the rate matters here. */
  if (tcsetattr(fd, TCSANOW, &settings) != 0 && errno != EINVAL) goto fail;
  return fd;
fail:
  close(fd);
  return -1;
}

int raw_host_write(int fd, unsigned char value) {
  for (;;) {
    const ssize_t written = write(fd, &value, 1);
    if (written == 1) return 0;
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EAGAIN) {
      struct pollfd room = {fd, POLLOUT, 0};
      if (poll(&room, 1, 2000) > 0) continue;
    }
    return -1;
  }
}

static long long now_ms(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

int raw_host_read(int fd, unsigned char* buffer, int count, int timeout_ms) {
  const long long deadline = now_ms() + timeout_ms;
  int received = 0;
  while (received < count) {
    /* Fast path: the answer is usually there already. */
    const ssize_t got = read(fd, buffer + received, (size_t)(count - received));
    if (got > 0) {
      received += (int)got;
      continue;
    }
    /* Non-blocking raw reads give EAGAIN when empty: 0 means hung up. */
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) return -1;
    const long long remaining = deadline - now_ms();
    if (remaining <= 0) break;
    struct pollfd waiting = {fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, (int)remaining);
    if (ready < 0 && errno != EINTR) return -1;
    if (ready > 0 && (waiting.revents & (POLLHUP | POLLERR)) && !(waiting.revents & POLLIN)) {
      return -1;
    }
  }
  return received;
}

int raw_host_round_trip(int fd, unsigned char value, unsigned char* answer, int timeout_ms) {
  if (raw_host_write(fd, value) != 0) return -1;
  return raw_host_read(fd, answer, 1, timeout_ms);
}
