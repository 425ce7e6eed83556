// Saving a file so that a failed or interrupted save never damages the file
// that was there: the text goes to a temporary file beside it, which is
// flushed to disk and then renamed over the target.
//
// Only regular files are replaced that way.  A target that exists and is
// something else (a terminal, /dev/null, a FIFO, /dev/stdout) is opened and
// written in place, as cp does; it is never replaced by a file.  A symbolic
// link is saved through: the file it names is replaced, or created when it
// does not exist yet, and the link stays.
#pragma once

#include <filesystem>
#include <string_view>

namespace vrx {

// False when any step fails; the temporary file is then removed and the
// target is as it was.  A signal that ends the program during a save does so
// only after the temporary file is gone.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view contents);

// Writes all of `contents` to the program's standard output, byte for byte;
// false when that fails (a closed pipe, a full disk).
bool WriteStandardOutput(std::string_view contents);

}  // namespace vrx
