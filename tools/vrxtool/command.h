// A vrxtool command: its name, its help and what it does.  main.cc lists
// every command once; a command only describes itself.
#pragma once

#include <CLI/CLI.hpp>

#include <stdexcept>
#include <string>
#include <string_view>

#include "device/serial_options.h"

namespace vrxtool {

// Exit codes relied on by scripts: 0 success, 1 a failure reported with the
// program's own message text on stderr, 2 a usage error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// Stopped by Ctrl-C or a termination signal (the shell's 128 + SIGINT).
inline constexpr int kExitInterrupted = 130;

// Thrown wherever a command fails; main prints the text on stderr (when
// there is one: a command may have reported the failure itself, as `program`
// does in its log) and exits with the failure's code.
class CommandFailure : public std::runtime_error {
 public:
  explicit CommandFailure(std::string_view text = {}, int exitCode = kExitFailure)
      : std::runtime_error(std::string(text)), exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

class Command {
 public:
  virtual ~Command() = default;

  // The word typed after "vrxtool".
  virtual std::string Name() const = 0;
  // One line for the list of commands.
  virtual std::string Summary() const = 0;
  // Text after the options in the command's --help; ends with an example.
  virtual std::string Footer() const = 0;
  // Adds the command's arguments and options to its subcommand.
  virtual void AddOptions(CLI::App& sub) = 0;
  // Runs the command once the arguments are parsed.  Returns kExitOk, or a
  // non-zero status whose meaning the command documents (`diff` returns 1
  // when the files differ); throws CommandFailure when it fails.
  virtual int Execute() = 0;
};

// Writes UTF-8 text to stderr with a final line end.
void PrintError(std::string_view text);

// For the commands that talk to a module: from now on Ctrl-C, SIGTERM and
// SIGHUP are caught, and the returned options stop a session at its next
// safe point once one arrived (the module left in its loader, in step); the
// command then ends through ReportInterrupted().
vrx::SerialOptions InterruptibleSession();
// Says so on stderr; returns kExitInterrupted.
int ReportInterrupted();

}  // namespace vrxtool
