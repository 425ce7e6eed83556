#include "tests/support/child_process.h"

#include <string_view>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/utf8_path.h"

extern char** environ;

namespace vrx::test {
namespace {

using Clock = std::chrono::steady_clock;

struct Spawned {
  pid_t pid = -1;
  int out = -1;
  int err = -1;
};

Spawned Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  // The given variables replace inherited ones of the same name: with two
  // entries getenv() would return the inherited one.
  auto overridden = [&env](std::string_view entry) {
    const std::string_view name = entry.substr(0, entry.find('='));
    for (const std::string& own : env)
      if (std::string_view(own).substr(0, own.find('=')) == name) return true;
    return false;
  };
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry)
    if (!overridden(*entry)) environment.emplace_back(*entry);
  environment.insert(environment.end(), env.begin(), env.end());
  std::vector<char*> envp;
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);

  // The child takes the signals the tests send as a terminal would deliver
  // them, even when the tests run from a background job (which ignores
  // SIGINT and SIGQUIT) or from a runner that blocks some.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults, none;
  sigemptyset(&defaults);
  for (int signal : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2, SIGPIPE})
    sigaddset(&defaults, signal);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  Spawned child;
  if (posix_spawn(&child.pid, args[0], &actions, &attributes, args.data(), envp.data()) != 0) {
    child.pid = -1;
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(outPipe[1]);
  close(errPipe[1]);
  child.out = outPipe[0];
  child.err = errPipe[0];
  return child;
}

// Reads what is there now (or waits up to `waitMs` for something); false at EOF.
bool Drain(int fd, std::string& into, int waitMs) {
  pollfd ready{fd, POLLIN, 0};
  if (poll(&ready, 1, waitMs) <= 0) return true;
  char buffer[4096];
  const ssize_t got = read(fd, buffer, sizeof buffer);
  if (got <= 0) return false;
  into.append(buffer, static_cast<std::size_t>(got));
  return true;
}

// The next line of `fd` without its '\n' and whether one came by
// `deadline`; `pending` keeps what was read beyond it.
bool NextLine(int fd, std::string& pending, Clock::time_point deadline, std::string& line) {
  for (;;) {
    if (const std::size_t end = pending.find('\n'); end != std::string::npos) {
      line = pending.substr(0, end);
      pending.erase(0, end + 1);
      return true;
    }
    if (Clock::now() > deadline || !Drain(fd, pending, 50)) return false;
  }
}

int WaitExit(pid_t pid, Clock::time_point deadline) {
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (Clock::now() > deadline) return -2;
    usleep(2000);
  }
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                         std::chrono::milliseconds limit) {
  ProcessResult result;
  const Spawned child = Spawn(argv, env);
  if (child.pid < 0) {
    result.err = "cannot start " + argv[0];
    return result;
  }
  const auto deadline = Clock::now() + limit;
  bool outOpen = true, errOpen = true;
  while ((outOpen || errOpen) && Clock::now() < deadline) {
    pollfd fds[2] = {{outOpen ? child.out : -1, POLLIN, 0}, {errOpen ? child.err : -1, POLLIN, 0}};
    if (poll(fds, 2, 50) <= 0) continue;
    if (fds[0].revents) outOpen = Drain(child.out, result.out, 0);
    if (fds[1].revents) errOpen = Drain(child.err, result.err, 0);
  }
  if (outOpen || errOpen) {
    result.timedOut = true;
    kill(child.pid, SIGKILL);
  }
  const int code = WaitExit(child.pid, deadline + std::chrono::seconds(5));
  result.exitCode = code < 0 ? -1 : code;
  close(child.out);
  close(child.err);
  return result;
}

int RunShell(const std::string& command, std::chrono::milliseconds limit) {
  const ProcessResult result = RunProcess({"/bin/sh", "-c", command}, {}, limit);
  // What the command said goes where the test's own output goes.
  std::fwrite(result.out.data(), 1, result.out.size(), stdout);
  std::fwrite(result.err.data(), 1, result.err.size(), stderr);
  return result.exitCode;
}

std::string ShellQuoted(const std::filesystem::path& path) {
  std::string quoted = "'";
  for (const char c : Utf8FromPath(path))
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& argv,
                                     const std::vector<std::string>& env) {
  const Spawned child = Spawn(argv, env);
  pid_ = child.pid;
  out_ = child.out;
  err_ = child.err;
}

BackgroundProcess::~BackgroundProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) close(out_);
  if (err_ >= 0) close(err_);
}

std::string BackgroundProcess::ReadLine(std::chrono::milliseconds limit) {
  std::string line;
  NextLine(out_, pending_, Clock::now() + limit, line);
  return line;
}

std::string BackgroundProcess::ReadErrLine(std::chrono::milliseconds limit) {
  std::string line;
  NextLine(err_, pendingErr_, Clock::now() + limit, line);
  return line;
}

bool BackgroundProcess::WaitForErrLine(std::string_view text, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  for (std::string line; NextLine(err_, pendingErr_, deadline, line);)
    if (line.find(text) != std::string::npos) return true;
  return false;
}

int BackgroundProcess::Stop(int signal, std::chrono::milliseconds limit) {
  if (pid_ <= 0) return -1;
  kill(pid_, signal);
  const int code = WaitExit(pid_, Clock::now() + limit);
  if (code == -2) return -1;  // still running: the destructor kills it
  pid_ = -1;
  return code;
}

std::string BackgroundProcess::ReadAllOut() {
  std::string text;
  text.swap(pending_);
  while (Drain(out_, text, 100)) {
    pollfd ready{out_, POLLIN, 0};
    if (poll(&ready, 1, 0) <= 0) break;
  }
  return text;
}

std::string BackgroundProcess::ReadAllErr() {
  std::string text = std::move(pendingErr_);
  pendingErr_.clear();
  while (Drain(err_, text, 100)) {
    pollfd ready{err_, POLLIN, 0};
    if (poll(&ready, 1, 0) <= 0) break;
  }
  return text;
}

}  // namespace vrx::test
