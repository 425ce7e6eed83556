#include "writer/gui/writer_app.h"

#include <wx/config.h>

#include <utility>

#include "config/port_settings.h"
#include "platform/module_path.h"
#include "ui/text_conversion.h"
#include "writer/gui/writer_dialog.h"

namespace vrx::writer {

void LoadStartupState(CWriterDialog& dialog, ProfileStore& profile,
                      const WriterCommandLine& commandLine) {
  // Any speed number is taken; the data exchange leaves the list empty for
  // one it does not offer.
  const PortSettings settings = ReadPortSettings(profile);
  dialog.portName = settings.portName;
  dialog.speedIndex = settings.speedIndex;
  dialog.verifyAfterWrite = ReadVerifyAfterWrite(profile);
  if (commandLine.command == StartCommand::kOpen) dialog.filePath = commandLine.filePath;
}

CWriterApp::CWriterApp(std::vector<std::string> arguments, ProfileStore& profile)
    : arguments_(std::move(arguments)), profile_(profile) {}

bool CWriterApp::OnInit() {
  // wxApp::OnInit is not called: wx's own option parser would refuse the
  // writer's switches ("/p", "-dde", ...).
  SetAppName(ui::FromCore(ProgramName()));
  SetVendorName(wxS("Zentrolith"));
  wxConfigBase::DontCreateOnDemand();  // the profile is main's
  return true;
}

int CWriterApp::OnRun() {
  CWriterDialog dialog(profile_, OwnExecutablePath());
  SetTopWindow(&dialog);
  LoadStartupState(dialog, profile_, ParseWriterCommandLine(arguments_));
  dialog.ShowModal();
  SetTopWindow(nullptr);
  return 0;  // nothing is written to the profile at exit
}

}  // namespace vrx::writer
