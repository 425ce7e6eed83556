/* Test harness only, never part of a program: preloaded into Wine for the
 * serial end-to-end run against the simulator's pseudo-terminal.  A pty
 * drops the parity and character size it is asked for and then refuses
 * (EINVAL) a request whose only change is one it drops, so Wine's
 * SetCommState fails where a real port would take 8E1.  On pty slaves only,
 * such a request is accepted when everything else already holds. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

typedef int (*tcsetattr_fn)(int, int, const struct termios*);

static int is_pty_slave(int fd) {
  struct stat info;
  /* Unix98 pty slaves have majors 136..143. */
  return fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) && major(info.st_rdev) >= 136 &&
         major(info.st_rdev) <= 143;
}

int tcsetattr(int fd, int when, const struct termios* wanted) {
  static tcsetattr_fn real;
  if (!real) real = (tcsetattr_fn)dlsym(RTLD_NEXT, "tcsetattr");
  int result = real(fd, when, wanted);
  if (result == 0 || errno != EINVAL || !is_pty_slave(fd)) return result;
  const int saved = errno;
  struct termios actual;
  if (tcgetattr(fd, &actual) != 0) return errno = saved, -1;
  struct termios retry = *wanted;
  const tcflag_t dropped = CSIZE | PARENB | PARODD;
  retry.c_cflag = (retry.c_cflag & ~dropped) | (actual.c_cflag & dropped);
  if (memcmp(&retry, wanted, sizeof retry) == 0) return errno = saved, -1;
  return real(fd, when, &retry);
}
