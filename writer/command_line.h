// The writer's command line: which start-up command it asks for and the
// data file it names.  VRXEditor starts the writer with one quoted path.
#pragma once

#include <span>
#include <string>

namespace vrx {

enum class StartCommand {
  kNone,   // no file named: the path field starts empty
  kOpen,   // put `filePath` into the path field
  kOther,  // a print, DDE or unregister switch: the path is not used
};

struct WriterCommandLine {
  StartCommand command = StartCommand::kNone;
  std::string filePath;  // first argument that is neither a switch nor empty
};

// How an argument beginning with "/" is read.  On Windows it is always a
// switch; on POSIX systems absolute paths begin with "/", so there only the
// known switch names ("/p", "/dde", "/Embedding", ...) are switches and
// anything else is a path.
enum class SlashArguments { kAlwaysSwitches, kKnownSwitchesOnly };

#ifdef _WIN32
inline constexpr SlashArguments kNativeSlashArguments = SlashArguments::kAlwaysSwitches;
#else
inline constexpr SlashArguments kNativeSlashArguments = SlashArguments::kKnownSwitchesOnly;
#endif

// `arguments` is the argument vector as the platform delivers it, program
// name first (quotes already removed).
WriterCommandLine ParseWriterCommandLine(std::span<const std::string> arguments,
                                         SlashArguments slash = kNativeSlashArguments);

// The path the path field starts with: the named file for kOpen, else "".
std::string StartupFilePath(const WriterCommandLine& commandLine);

}  // namespace vrx
