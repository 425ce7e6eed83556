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

}  // namespace vrxtool
