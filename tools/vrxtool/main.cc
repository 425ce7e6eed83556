#include <iostream>
#include <map>
#include <memory>

#include "command.h"
#include "interrupt.h"
#include "port_messages.h"

namespace vrxtool {
namespace {

std::multimap<int, CommandSetup>& Registry() {
  static std::multimap<int, CommandSetup> registry;
  return registry;
}

}  // namespace

bool RegisterCommand(int order, CommandSetup setup) {
  Registry().emplace(order, std::move(setup));
  return true;
}

void PrintError(std::string_view text) { std::cerr << text << '\n'; }

void StopCleanlyOnInterrupt() { vrx::CatchInterruptsForProcess(); }

int ReportInterrupted() {
  PrintError(vrx::port_msg::Interrupted());
  return kExitInterrupted;
}

}  // namespace vrxtool

int main(int argc, char** argv) {
  CLI::App app{
      "vrxtool - VRX7100 data files, flash images and module programming from the command line.\n"
      "Runs the same code as VRXEditor and VRXWriter."};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show help for every command");

  std::function<int()> run;
  for (auto& [order, setup] : vrxtool::Registry()) {
    auto action = setup(app);
    // The subcommand just added is the last one; remember what to run if
    // the user picked it.
    auto* sub = app.get_subcommands({}).back();
    sub->callback([&run, action] { run = action; });
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return vrxtool::kExitUsage;
  }
  return run ? run() : vrxtool::kExitUsage;
}
