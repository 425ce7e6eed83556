// vrxtool commands register themselves here, one file per command, so that
// main() only dispatches.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

namespace vrxtool {

// Exit codes relied on by scripts: 0 success, 1 a failure reported with the
// program's own message text on stderr, 2 a usage error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// Stopped by Ctrl-C or a termination signal (the shell's 128 + SIGINT).
inline constexpr int kExitInterrupted = 130;

// Adds a subcommand to `app`; returns the function to run once parsing is
// done.  The function returns the exit code.
using CommandSetup = std::function<std::function<int()>(CLI::App& app)>;

// Called from static objects in the command files.
bool RegisterCommand(int order, CommandSetup setup);

// Writes UTF-8 text to stderr with a final line end.
void PrintError(std::string_view text);

// For the commands that talk to a module: from now on Ctrl-C, SIGTERM and
// SIGHUP stop the session between two byte exchanges, and the command then
// ends through ReportInterrupted().
void StopCleanlyOnInterrupt();
// Says so on stderr; returns kExitInterrupted.
int ReportInterrupted();

}  // namespace vrxtool
