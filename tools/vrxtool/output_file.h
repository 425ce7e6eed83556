// Where vrxtool's file-producing commands write: "-" is standard output, any
// other path is saved like the editor saves (ReplaceFileContents).
#pragma once

#include <string>
#include <string_view>

namespace vrxtool {

inline constexpr std::string_view kStandardOutputName = "-";

// False when the bytes could not all be written.  An existing file the user
// may not write is refused unchanged, as cp refuses it: CommandFailure
// naming it.
bool WriteOutputFile(const std::string& path, std::string_view contents);

// Why `path` could not be written ("" when it can): checked before a long
// device session whose result goes there.  A folder, a missing folder and
// one this user may not create files in are found; a device or pipe is
// written in place and taken as it is.
std::string OutputProblem(const std::string& path);

}  // namespace vrxtool
