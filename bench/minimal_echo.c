#define _GNU_SOURCE
#include "bench/minimal_echo.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

struct minimal_echo {
  int master;
  int stop[2];
  unsigned char answer;
  char path[128];
  pthread_t thread;
};

static void* answer_bytes(void* argument) {
  struct minimal_echo* echo = argument;
  unsigned char buffer[256], answers[256];
  memset(answers, echo->answer, sizeof answers);
  for (;;) {
    struct pollfd fds[2] = {{echo->master, POLLIN, 0}, {echo->stop[0], POLLIN, 0}};
    poll(fds, 2, -1);
    if (fds[1].revents) return NULL;
    const ssize_t got = read(echo->master, buffer, sizeof buffer);
    if (got > 0) {
      if (write(echo->master, answers, (size_t)got) < 0) return NULL;
    } else {
      usleep(5000); /* no host: back off */
    }
  }
}

struct minimal_echo* minimal_echo_start(unsigned char answer) {
  struct minimal_echo* echo = calloc(1, sizeof *echo);
  if (!echo) return NULL;
  echo->answer = answer;
  echo->master = posix_openpt(O_RDWR | O_NOCTTY);
  struct termios settings;
  if (echo->master < 0 || grantpt(echo->master) || unlockpt(echo->master) ||
      ptsname_r(echo->master, echo->path, sizeof echo->path) || pipe(echo->stop) ||
      tcgetattr(echo->master, &settings)) {
    free(echo);
    return NULL;
  }
  cfmakeraw(&settings);
  tcsetattr(echo->master, TCSANOW, &settings);
  pthread_create(&echo->thread, NULL, answer_bytes, echo);
  return echo;
}

const char* minimal_echo_path(const struct minimal_echo* echo) { return echo->path; }

void minimal_echo_stop(struct minimal_echo* echo) {
  if (write(echo->stop[1], "x", 1) < 0) return;
  pthread_join(echo->thread, NULL);
  close(echo->master);
  close(echo->stop[0]);
  close(echo->stop[1]);
  free(echo);
}
