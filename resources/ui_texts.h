// Texts of the frame around both programs' own messages: button captions of
// their message boxes, file dialog titles and the start-up failure line.
#pragma once

#include <string_view>

namespace vrx::ui_text {

// Message box buttons.  The messages are Japanese, so their buttons are too,
// whatever language the desktop uses.
inline constexpr std::string_view kYes = "はい";
inline constexpr std::string_view kNo = "いいえ";
inline constexpr std::string_view kCancel = "キャンセル";
inline constexpr std::string_view kOk = "OK";

// File dialog titles.
inline constexpr std::string_view kOpenTitle = "開く";
inline constexpr std::string_view kSaveAsTitle = "名前を付けて保存";
inline constexpr std::string_view kChooseDataFileTitle = "データファイルの選択";

// Printed as "<program>: <text>" when the window system cannot be reached.
inline constexpr std::string_view kNoDisplay =
    "cannot open the X display; set DISPLAY or run vrxtool";

}  // namespace vrx::ui_text
