// Runs the project's programs as child processes for end-to-end tests:
// arguments in, stdout and stderr out, with a bound on how long it may take.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vrx::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when killed or timed out
  bool timedOut = false;
  std::string out;
  std::string err;
};

// Runs to completion (killed after `limit`), with `env` added to the
// environment ("NAME=value").
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& env = {},
                         std::chrono::milliseconds limit = std::chrono::seconds(60));

// A shell command line (redirections and pipes allowed) run to completion:
// its exit status, -1 if it could not run, was killed or timed out.
int RunShell(const std::string& command, std::chrono::milliseconds limit = std::chrono::minutes(5));

// `path` as one word of a RunShell line (UTF-8, quoted for the shell).
std::string ShellQuoted(const std::filesystem::path& path);

// A long-running child (vrxsim, vrxtool program --repeat) whose output is
// read line by line.
class BackgroundProcess {
 public:
  explicit BackgroundProcess(const std::vector<std::string>& argv,
                             const std::vector<std::string>& env = {});
  ~BackgroundProcess();  // SIGKILL if still running
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  // The next stdout line without its '\n'; "" when none came in `limit`.
  // The defaults are long because they cost nothing when the answer comes
  // and a busy machine may start a program slowly.
  std::string ReadLine(std::chrono::milliseconds limit = std::chrono::seconds(20));
  // The next stderr line without its '\n'; "" when none came in `limit`.
  std::string ReadErrLine(std::chrono::milliseconds limit = std::chrono::seconds(20));
  // Reads stderr line by line until one contains `text`; false when none
  // did within `limit`.  The lines read are gone for ReadAllErr.
  bool WaitForErrLine(std::string_view text,
                      std::chrono::milliseconds limit = std::chrono::minutes(1));
  // Sends `signal` and waits for the exit code (-1 if killed by a signal
  // or still running after `limit`).
  int Stop(int signal, std::chrono::milliseconds limit = std::chrono::seconds(20));
  std::string ReadAllErr();  // what is left of stderr
  // What stdout still holds (after the exit: the rest of it).
  std::string ReadAllOut();
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string pending_;
  std::string pendingErr_;
};

}  // namespace vrx::test
