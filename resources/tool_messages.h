// Texts of vrxtool and of the editor's import and export that neither
// program's string table has.
#pragma once

#include <string_view>

namespace vrx::tool_msg {

inline constexpr int kSyntax = 0;
inline constexpr int kWrongFormat = 1;
inline constexpr int kNewerVersion = 2;
inline constexpr int kUnknownMember = 3;
inline constexpr int kBadValue = 4;
inline constexpr int kBadCode = 5;
inline constexpr int kBadKeyNumber = 6;
inline constexpr int kDuplicateKey = 7;
inline constexpr int kWrongPlace = 8;

// A JSON or CSV file that cannot be imported; shown after the place of the
// entry (vrxtool on stderr, the editor in a message box).
std::string_view ImportProblemText(int problem);

// An output file the user may not write (read-only, another user's): like
// cp, vrxtool refuses it rather than replace it.
std::string_view FileNotWritable();

// An import file above the size limit (4 MB), refused unread.
std::string_view ImportFileTooLarge();

// vrxtool extract: the input is not a whole flash image, or its
// configuration region was never programmed.
std::string_view NotAFlashImage();
std::string_view ErasedConfiguration();

// Menu entries of the editor's sheet and the titles of their file dialogs.
std::string_view ExportMenuEntry();
std::string_view ImportMenuEntry();

}  // namespace vrx::tool_msg
