// Texts of the frame around both programs' own messages and of their
// windows' controls: button captions, file dialog titles and filters, page
// captions, labels, the language menu and the start-up failure line.  Each
// is in the program's language (resources/translation.h).
#pragma once

#include <string>
#include <string_view>

namespace vrx::ui_text {

// Message box buttons, in the language of the messages they answer.
std::string_view Yes();
std::string_view No();
std::string_view Cancel();
std::string_view Ok();

// File dialog titles.
std::string_view OpenTitle();
std::string_view SaveAsTitle();
std::string_view ChooseDataFileTitle();
// The data file filters of the editor and of the writer (which also takes
// .txt), as wx wants them: description|pattern.
std::string_view EditorDataFileFilter();
std::string_view WriterDataFileFilter();

// Both programs' buttons and labels.
std::string_view ExitButton();
std::string_view WriteButton();
std::string_view PortLabel();
std::string_view SpeedLabel();

// The editor's sheet: its command buttons and page captions (0..2).
std::string_view OpenButton();
std::string_view SaveButton();
std::string_view PageCaption(int page);
// The key map and CGRAM pages' controls.
std::string_view CaptureButton();
std::string_view TypematicBox();
std::string_view TestButton();

// The writer's window.
std::string_view WriterInstruction();
std::string_view BrowseButton();
// Beside the Write's progress bar: "残り 1:05" for 65 seconds.
std::string TimeLeft(long long seconds);

// The about box's title for a program ("VRXEditor").
std::string AboutTitle(std::string_view product);

// The windows' language menu: its entry, its choices, and the notice that a
// change applies from the next start.
std::string_view LanguageMenuEntry();
std::string_view FollowSystemLanguage();
// Each language by its own name, whatever the program's language.
std::string_view JapaneseLanguageName();
std::string_view EnglishLanguageName();
std::string_view LanguageChangeNotice();

// Printed as "<program>: <text>" when the window system cannot be reached.
inline constexpr std::string_view kNoDisplay =
    "cannot open the X display; set DISPLAY or run vrxtool";

}  // namespace vrx::ui_text
