// The writer's message numbers for what the core reports.  vrxtool prints
// the same messages for the commands that do what the writer does.
#pragma once

#include "config/data_file.h"
#include "device/loader_session.h"

namespace vrx {

// 0 for kNone, else the writer message to show or log.
int WriterMessageFor(DataFileError error);
int WriterMessageFor(SessionFailure failure);

}  // namespace vrx
