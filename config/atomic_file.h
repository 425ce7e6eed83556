// Saving a file so that a failed or interrupted save never damages the file
// that was there: the text goes to a temporary file beside it, which is
// flushed to disk and then renamed over the target.
#pragma once

#include <filesystem>
#include <string_view>

namespace vrx {

// The file a save of `target` writes: the file a symbolic link points to,
// so that saving through a link updates that file rather than replacing
// the link; otherwise `target` itself.
std::filesystem::path ResolveSaveTarget(const std::filesystem::path& target);

// False when any step fails; the temporary file is then removed and the
// target is as it was.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view contents);

}  // namespace vrx
