// The editor's message numbers for what the core reports.  vrxtool prints
// the same messages for the commands that do what the editor does.
#pragma once

#include "config/data_file.h"
#include "device/lcd_test.h"

namespace vrx {

// 0 for kNone / kOk, else the editor message to show.
int EditorMessageFor(DataFileError error);
int EditorMessageFor(LcdTestResult result);

}  // namespace vrx
