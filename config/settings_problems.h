// How the programs tell of a settings file (port map, profile) they go on
// without: one line on stderr per file and problem, never a dialog.
#pragma once

#include "platform/settings_file.h"

namespace vrx {

// A fresh sink for one program run (or one command); it remembers what it
// has printed.
SettingsProblemSink PrintSettingsProblems();

}  // namespace vrx
