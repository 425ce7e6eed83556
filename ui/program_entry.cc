#include "ui/program_entry.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

#include <cstdio>
#include <string>

#include "config/program_language.h"
#include "platform/module_path.h"
#include "resources/translation.h"
#include "resources/ui_texts.h"

namespace vrx::ui {

void UseChosenLanguage(ProfileStore& profile) {
  UseProgramLanguage(ChooseProgramLanguage(ReadLanguageChoice(profile)));
}

int RunGuiProgram(wxApp* app, int argc, char** argv) {
  wxApp::SetInstance(app);
  bool started = false;
  {
    wxLogNull quiet;  // wx's own complaint would repeat ours, less clearly
    started = wxEntryStart(argc, argv);
  }
  if (!started) {
    const std::string line = ProgramName() + ": " + std::string(ui_text::kNoDisplay) + "\n";
    std::fputs(line.c_str(), stderr);
    return 1;
  }
  // The toolkit's own dialogs (file choosers) then speak the user's language.
  wxUILocale::UseDefault();
  // A translated program: wx's own texts in English too, whatever the
  // desktop's language (Japanese leaves them as they always were).
  if (ProgramIsTranslated()) {
    auto* translations = new wxTranslations;
    translations->SetLanguage(wxLANGUAGE_ENGLISH_US);
    wxTranslations::Set(translations);
  }

  struct Cleanup {
    ~Cleanup() { wxEntryCleanup(); }
  } cleanup;
  if (!wxTheApp->CallOnInit()) return 1;
  struct Exit {
    ~Exit() { wxTheApp->OnExit(); }
  } exit;
  return wxTheApp->OnRun();
}

}  // namespace vrx::ui
