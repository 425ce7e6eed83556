// VRXWriter's application object: reads the profile and the command line,
// runs the dialog modally and ends when it closes.
#pragma once

#include <wx/app.h>

#include <string>
#include <vector>

#include "platform/profile.h"
#include "writer/command_line.h"

namespace vrx::writer {

class CWriterDialog;

// Start-up steps on a constructed dialog: port and speed from the profile
// (defaults "COM1" and 4), then the path the command line asks to open.
void LoadStartupState(CWriterDialog& dialog, ProfileStore& profile,
                      const WriterCommandLine& commandLine);

class CWriterApp : public wxApp {
 public:
  // The argument vector exactly as the system delivered it (bytes, not
  // re-encoded by the toolkit).  `profile` is main's and outlives the
  // application object.
  CWriterApp(std::vector<std::string> arguments, ProfileStore& profile);
  bool OnInit() override;
  // Runs the dialog modally; the program ends when it closes, with exit
  // status 0 (no message loop of the application's own).
  int OnRun() override;

 private:
  std::vector<std::string> arguments_;
  ProfileStore& profile_;
};

}  // namespace vrx::writer
