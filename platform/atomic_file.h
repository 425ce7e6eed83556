// Saving a file so that a failed or interrupted save never damages the file
// that was there: the text goes to a temporary file beside it, which is
// flushed to disk and then renamed over the target.
//
// Only regular files are replaced that way.  A target that exists and is
// something else (a terminal, /dev/null, a FIFO, /dev/stdout) is opened and
// written in place, as cp does; it is never replaced by a file.  A symbolic
// link is saved through: the file it names is replaced, or created when it
// does not exist yet, and the link stays; but, as the kernel does, not a link
// in a sticky folder anyone may write (/tmp) that belongs neither to the
// folder's owner nor to the user.
//
// Like cp, a file the user may not write (read-only, another user's) is
// refused.  Where the program may replace a file it does not own (root), the
// new file keeps the old one's owner and group as well as its permissions.
#pragma once

#include <filesystem>
#include <string_view>

namespace vrx {

// False for an existing target the user may not write, which
// ReplaceFileContents refuses; true for one that does not exist yet.
bool MayReplaceFile(const std::filesystem::path& target);

// False when any step fails; the temporary file is then removed and the
// target is as it was.  A signal that ends the program during a save does so
// only after the temporary file is gone.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view contents);

// Writes all of `contents` to the program's standard output, byte for byte;
// false when that fails (a closed pipe, a full disk).
bool WriteStandardOutput(std::string_view contents);

}  // namespace vrx
