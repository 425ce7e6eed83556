// String tables of the two programs.  Every message text either program shows
// or logs comes from here, so a wording lives in exactly one place.  Texts are
// UTF-8; the data file writer converts its own comments to Shift_JIS.
#pragma once

#include <string_view>

namespace vrx {

// Editor string table (message numbers 10000..10006, string 101).
namespace editor_msg {
inline constexpr int kNoPortSelected = 10000;   // CGRAM test: no port chosen
inline constexpr int kPortOpenFailed = 10001;   // CGRAM test: port cannot be opened
inline constexpr int kDeviceError = 10002;      // CGRAM test: a device command failed
inline constexpr int kBadInputData = 10003;     // key map page refuses a code text
inline constexpr int kFileOpenFailed = 10004;   // data file cannot be opened / written
inline constexpr int kFileReadFailed = 10005;   // data file ends early or holds a bad value
inline constexpr int kFileWrongFormat = 10006;  // identification line missing
inline constexpr int kAboutMenuEntry = 101;
// 書込み could not start the writer (a text of its own, with no number).
std::string_view WriterStartFailed();
// The sheet's questions before changes could be lost, and before 書込み.
std::string_view UnsavedChangesPrompt();
std::string_view SaveBeforeWritePrompt();
}  // namespace editor_msg

// Writer string table (message numbers 10000..10008, string 101).
namespace writer_msg {
inline constexpr int kNoFileSelected = 10000;
inline constexpr int kFileOpenFailed = 10001;
inline constexpr int kFileReadFailed = 10002;
inline constexpr int kFileWrongFormat = 10003;
inline constexpr int kNoDeviceAnswer = 10004;
inline constexpr int kModeChangeFailed = 10005;
inline constexpr int kEraseFailed = 10006;
inline constexpr int kWriteFailed = 10007;
inline constexpr int kPortOpenFailed = 10008;
inline constexpr int kAboutMenuEntry = 101;
}  // namespace writer_msg

// Looks a number up in the program's table; an unknown number gives "".
std::string_view EditorMessage(int id);
std::string_view WriterMessage(int id);

// Texts of the firmware payload container failures #1..#3 ("" otherwise).
std::string_view ContainerFailureText(int failure);

}  // namespace vrx
