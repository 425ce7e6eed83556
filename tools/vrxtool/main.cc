// vrxtool: every command is listed once below; main parses the command line,
// runs the chosen command and turns its outcome into the exit status.
#include <algorithm>
#include <iostream>
#include <memory>
#include <vector>

#include "config/program_language.h"
#include "platform/interrupt.h"
#include "platform/program_arguments.h"
#include "resources/port_messages.h"
#include "resources/program_usage.h"
#include "resources/program_version.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/terminal.h"

namespace vrxtool {

// One factory per command, each defined in its cmd_*.cc file.
std::unique_ptr<Command> MakeNewCommand();
std::unique_ptr<Command> MakeNormalizeCommand();
std::unique_ptr<Command> MakeShowCommand();
std::unique_ptr<Command> MakeDiffCommand();
std::unique_ptr<Command> MakeExportCommand();
std::unique_ptr<Command> MakeImportCommand();
std::unique_ptr<Command> MakeRenderCommand();
std::unique_ptr<Command> MakeImageCommand();
std::unique_ptr<Command> MakeExtractCommand();
std::unique_ptr<Command> MakePackCommand();
std::unique_ptr<Command> MakeProgramCommand();
std::unique_ptr<Command> MakeLcdTestCommand();
std::unique_ptr<Command> MakeReadCommand();
std::unique_ptr<Command> MakeVerifyCommand();
std::unique_ptr<Command> MakePortsCommand();
std::unique_ptr<Command> MakeDoctorCommand();

namespace {

// The commands in the order --help lists them.
std::vector<std::unique_ptr<Command>> AllCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(MakeNewCommand());
  commands.push_back(MakeNormalizeCommand());
  commands.push_back(MakeShowCommand());
  commands.push_back(MakeDiffCommand());
  commands.push_back(MakeExportCommand());
  commands.push_back(MakeImportCommand());
  commands.push_back(MakeRenderCommand());
  commands.push_back(MakeImageCommand());
  commands.push_back(MakeExtractCommand());
  commands.push_back(MakePackCommand());
  commands.push_back(MakeProgramCommand());
  commands.push_back(MakeLcdTestCommand());
  commands.push_back(MakeReadCommand());
  commands.push_back(MakeVerifyCommand());
  commands.push_back(MakePortsCommand());
  commands.push_back(MakeDoctorCommand());
  return commands;
}

// A first argument that is no option and names no command; "" when the
// command line is not like that.
std::string UnknownCommandName(vrx::Utf8Arguments& arguments,
                               const std::vector<std::unique_ptr<Command>>& commands) {
  if (arguments.argc() < 2) return {};
  const std::string first = arguments.argv()[1];
  if (first.empty() || first.front() == '-') return {};
  for (const auto& command : commands)
    if (command->Name() == first) return {};
  return first;
}

void ListCommands(std::string_view unknown, const std::vector<std::unique_ptr<Command>>& commands) {
  std::string text = vrx::UnknownCommand(unknown) + "\n";
  std::size_t width = 0;
  for (const auto& command : commands) width = std::max(width, command->Name().size());
  for (const auto& command : commands)
    text += "  " + command->Name() + std::string(width + 2 - command->Name().size(), ' ') +
            command->Summary() + "\n";
  text += vrx::CommandListEnd();
  PrintError(text);
}

}  // namespace

void PrintError(std::string_view text) { std::cerr << std::string(text) + "\n" << std::flush; }

vrx::SerialOptions InterruptibleSession() {
  vrx::CatchInterruptsForProcess();
  vrx::SerialOptions options;
  options.cancelled = vrx::InterruptRequested;
  return options;
}

int ReportInterrupted() {
  PrintError(vrx::port_msg::Interrupted());
  return kExitInterrupted;
}

}  // namespace vrxtool

int main(int argc, char** argv) {
  using namespace vrxtool;
  // First, so that every line, help and errors included, reaches a console
  // readable, and last, to leave the console as it was.
  const ConsoleSession console;
  // vrxtool has no profile of its own: VRX_LANG, else the user's language.
  vrx::UseProgramLanguage(vrx::ChooseProgramLanguage(std::nullopt));
  CLI::App app{
      "vrxtool - VRX7100 data files, flash images and module programming from the command line.\n"
      "Runs the same code as VRXEditor and VRXWriter."};
  app.require_subcommand(1);
  // An argument beginning with "/" is a path on every platform, never a
  // Windows-style option (subcommands inherit this).
  app.allow_windows_style_options(false);
  app.set_help_all_flag("--help-all", "Show help for every command");
  app.set_version_flag("--version", "vrxtool " + std::string(vrx::kProductVersion),
                       "Show the version and exit");

  const std::vector<std::unique_ptr<Command>> commands = AllCommands();
  for (const auto& command : commands) {
    CLI::App* sub = app.add_subcommand(command->Name(), command->Summary());
    command->AddOptions(*sub);
    sub->footer(command->Footer());
  }

  vrx::Utf8Arguments arguments(argc, argv);
  if (const std::string unknown = UnknownCommandName(arguments, commands); !unknown.empty()) {
    ListCommands(unknown, commands);
    return kExitUsage;
  }
  try {
    app.parse(arguments.argc(), arguments.argv());
  } catch (const CLI::Success& e) {  // --help, --help-all, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  for (const auto& command : commands) {
    if (!app.got_subcommand(command->Name())) continue;
    try {
      return command->Execute();
    } catch (const CommandFailure& failure) {
      if (*failure.what() != '\0') PrintError(failure.what());
      return failure.exitCode();
    } catch (const std::exception& unexpected) {
      // Out of memory, a file system refusal the command did not foresee.
      PrintError(unexpected.what());
      return kExitFailure;
    }
  }
  return kExitUsage;
}
