#define _DEFAULT_SOURCE
#include "bench/minimal_player.h"

#include <unistd.h>

#include "tools/vrxsim/raw_host.h"

enum { kTimeoutMs = 2000, kMaxAnswer = 256 };

static int answered(int fd, const struct minimal_step* step, const unsigned char* answers) {
  unsigned char got[kMaxAnswer];
  const size_t count = step->answer_count;
  if (count > kMaxAnswer) return -1;
  if (count == 0) return raw_host_write(fd, step->host);
  if (raw_host_round_trip(fd, step->host, got, kTimeoutMs) != 1) return -1;
  if (count > 1 && raw_host_read(fd, got + 1, (int)(count - 1), kTimeoutMs) != (int)(count - 1)) {
    return -1;
  }
  for (size_t i = 0; i < count; ++i) {
    if (got[i] != answers[step->answer_offset + i]) return -1;
  }
  return 0;
}

int minimal_play(const char* path, const struct minimal_step* steps, size_t count,
                 const unsigned char* answers) {
  int fd = -1;
  int rate = 0;
  for (size_t i = 0; i < count; ++i) {
    if (steps[i].bit_rate != rate) {
      if (fd >= 0) close(fd);
      rate = steps[i].bit_rate;
      fd = raw_host_open(path, rate);
      if (fd < 0) return -1;
    }
    if (answered(fd, &steps[i], answers) != 0) {
      close(fd);
      return -1;
    }
    if (steps[i].pause_ms > 0) usleep(steps[i].pause_ms * 1000u);
  }
  if (fd >= 0) close(fd);
  return 0;
}
