// Shared by the POSIX backends that read files: opening a path for reading
// only when it names a regular file.
#pragma once

#include <filesystem>

#include "platform/regular_file.h"

namespace vrx {

// A descriptor open for reading, or -1 with `why` telling the reason.  The
// open itself never waits (O_NONBLOCK keeps a FIFO without a writer from
// stopping it); reads from a regular file are unaffected by that flag.
int OpenRegularFile(const std::filesystem::path& path, FileReadResult& why);

}  // namespace vrx
