// main() of both GUI programs: wx's start-up, the user's locale and the
// application object's OnInit/OnRun/OnExit, as wxEntry runs them, except
// that a missing window system ends the program with one line on stderr and
// status 1 instead of toolkit warnings.
#pragma once

#include "platform/profile.h"

class wxApp;

namespace vrx::ui {

// Chooses the program's language (VRX_LANG, else the profile's
// Option/LANGUAGE, else the desktop's) and loads its catalog: the first
// thing main does, so that every text, --help's too, is in that language.
void UseChosenLanguage(ProfileStore& profile);

// Takes ownership of `app`.  Returns the program's exit status.
int RunGuiProgram(wxApp* app, int argc, char** argv);

}  // namespace vrx::ui
