#include "writer/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vrx {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Print ("p", "pt"), DDE and unregister switches ask for something other
// than opening a file; every other switch changes nothing.
bool SelectsOtherCommand(std::string_view name) {
  return name == "p" || name == "pt" || name == "dde" || EqualsIgnoringCase(name, "Unregister") ||
         EqualsIgnoringCase(name, "Unregserver");
}

// Switches that are recognised but change nothing.
bool IsIgnoredSwitch(std::string_view name) {
  return EqualsIgnoringCase(name, "Embedding") || EqualsIgnoringCase(name, "Automation");
}

bool IsSwitch(std::string_view argument, SlashArguments slash) {
  if (argument.empty()) return false;
  if (argument[0] == '-') return true;
  if (argument[0] != '/') return false;
  if (slash == SlashArguments::kAlwaysSwitches) return true;
  const std::string_view name = argument.substr(1);
  return SelectsOtherCommand(name) || IsIgnoredSwitch(name);
}

}  // namespace

WriterCommandLine ParseWriterCommandLine(std::span<const std::string> arguments,
                                         SlashArguments slash) {
  WriterCommandLine result;
  bool otherCommand = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (IsSwitch(argument, slash)) {
      otherCommand = otherCommand || SelectsOtherCommand(std::string_view(argument).substr(1));
    } else if (!argument.empty() && result.filePath.empty()) {
      result.filePath = argument;
    }
  }
  if (otherCommand)
    result.command = StartCommand::kOther;
  else if (!result.filePath.empty())
    result.command = StartCommand::kOpen;
  return result;
}

std::string StartupFilePath(const WriterCommandLine& commandLine) {
  return commandLine.command == StartCommand::kOpen ? commandLine.filePath : std::string();
}

}  // namespace vrx
