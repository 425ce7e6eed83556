#include "platform/process_start.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace vrx {
namespace {

// Between fork and exec only async-signal-safe calls are allowed (the GUI has
// other threads), so everything is prepared before forking and the children
// use nothing but system calls.

[[noreturn]] void ExecOrReport(char* const* argv, int reportFd) {
  // No inheritance: every descriptor above the standard three closes on exec.
  syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
  // Signals ignored or blocked by the GUI would otherwise stay so in the
  // new program.
  for (int sig = 1; sig < NSIG; ++sig) {
    if (sig == SIGKILL || sig == SIGSTOP) continue;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigaction(sig, &action, nullptr);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);

  execv(argv[0], argv);
  const int error = errno;
  (void)!write(reportFd, &error, sizeof error);
  _exit(127);
}

int ReadReport(int fd) {
  int error = 0;
  for (;;) {
    const ssize_t n = read(fd, &error, sizeof error);
    if (n == static_cast<ssize_t>(sizeof error)) return error;
    if (n == 0) return 0;  // the pipe closed on a successful exec
    if (n < 0 && errno == EINTR) continue;
    return n < 0 ? errno : EIO;
  }
}

}  // namespace

int StartDetachedProcess(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front().empty()) return EINVAL;
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;

  // Double fork: the middle process ends at once and is reaped here, so the
  // program becomes a child of init and never lingers as our zombie, and no
  // SIGCHLD handling of the GUI toolkit is disturbed.
  const pid_t middle = fork();
  if (middle < 0) {
    const int error = errno;
    close(report[0]);
    close(report[1]);
    return error;
  }
  if (middle == 0) {
    close(report[0]);
    const pid_t program = fork();
    if (program == 0) ExecOrReport(argv.data(), report[1]);
    if (program < 0) {
      const int error = errno;
      (void)!write(report[1], &error, sizeof error);
    }
    _exit(0);
  }

  close(report[1]);
  while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
  const int error = ReadReport(report[0]);
  close(report[0]);
  return error;
}

}  // namespace vrx
