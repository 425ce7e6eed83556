// vrxtool doctor: checks what in practice stops a module from being
// programmed on this machine, one line per check with the fix.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "platform/desktop_check.h"
#include "platform/port_names.h"
#include "platform/utf8_path.h"
#include "resources/file_messages.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/doctor_report.h"

namespace vrxtool {

void Report::Add(Status status, const std::string& finding, const std::string& fix) {
  static const char* const kLabels[] = {"ok      ", "warning ", "problem "};
  std::cout << kLabels[static_cast<int>(status)] << finding << '\n';
  if (!fix.empty()) std::cout << "        fix: " << fix << '\n';
  if (status == Status::kProblem) problems_ = true;
}

namespace {

void CheckDesktop(Report& report) {
  const vrx::DisplayCheck display = vrx::CheckDisplay();
  if (display.available) {
    report.Add(Status::kOk, "display " + display.name + " for VRXEditor and VRXWriter");
  } else {
    report.Add(Status::kWarning,
               display.name.empty() ? "no display: the windows cannot open"
                                    : "display " + display.name + " is not there",
               "run the programs in a desktop session, or use vrxtool");
  }
  if (vrx::JapaneseFontInstalled()) {
    report.Add(Status::kOk, "a Japanese font is installed");
  } else {
    report.Add(Status::kProblem, "no Japanese font: the windows' texts would show as boxes",
               JapaneseFontFix());
  }
}

int Doctor() {
  Report report;
  // A port map or profile the programs go on without is a finding too.
  const vrx::SettingsProblemSink unusable =
      vrx::OncePerFile([&report](const std::filesystem::path& file, vrx::FileReadResult problem) {
        report.Add(Status::kProblem,
                   vrx::file_msg::SettingsProblemText(vrx::Utf8FromPath(file), problem),
                   "replace it with an ordinary file, or remove it");
      });
  const auto portMap = vrx::ReadPortMap(vrx::PortMapPath(), unusable);
  const auto ports = ListPorts(portMap);
  CheckSerialPorts(ports, portMap, report, unusable);
  CheckDesktop(report);
  return report.problems() ? kExitFailure : kExitOk;
}

class DoctorCommand final : public Command {
 public:
  std::string Name() const override { return "doctor"; }
  std::string Summary() const override {
    return "Check this machine for what stops modules from being programmed";
  }
  std::string Footer() const override {
    return SerialPortChecksSummary() +
           ", the display and the Japanese font;\n"
           "prints ok / warning / problem per check with the fix.\n"
           "Exit status: 0 no problem found, 1 a problem found.\n"
           "Example:\n  vrxtool doctor";
  }
  void AddOptions(CLI::App&) override {}
  int Execute() override { return Doctor(); }
};

}  // namespace

std::unique_ptr<Command> MakeDoctorCommand() { return std::make_unique<DoctorCommand>(); }

}  // namespace vrxtool
