// The status line on a terminal: how wide a text is there, and how a line
// is redrawn with and without the terminal's erase escape.
#include "tools/vrxtool/console_output.h"

#include <gtest/gtest.h>

#include <string>

namespace vrxtool {
namespace {

// What a terminal that ignores escapes shows after `writes`: one line, each
// character one cell, "\r" back to its start.
std::string ScreenAfter(const std::string& writes) {
  std::string line;
  std::size_t cursor = 0;
  for (char c : writes) {
    if (c == '\r') {
      cursor = 0;
      continue;
    }
    if (cursor < line.size())
      line[cursor] = c;
    else
      line += c;
    ++cursor;
  }
  return line;
}

TEST(StatusLineRedraw, WithoutEscapesBlanksWhatTheOldTextLeftAndNeverShowsAnEscape) {
  struct Case {
    std::string before;
    std::string after;
  } cases[] = {{"ABCDEFGHIJ [####------]", "ABC"},
               {"ABC", "ABCDEFGH [##]"},
               {"ABCDEF", "UVWXYZ"},
               {"ABCDEF", ""}};
  for (const auto& [before, after] : cases) {
    SCOPED_TRACE(before + " -> " + after);
    const std::string drawn = RedrawStatus(after, DisplayWidth(before), false);
    EXPECT_EQ(drawn.find('\033'), std::string::npos);
    const std::string screen = ScreenAfter(RedrawStatus(before, 0, false) + drawn);
    // The new text, then only blanks where the old one was longer.
    EXPECT_EQ(screen.substr(0, after.size()), after);
    EXPECT_EQ(screen.find_first_not_of(' ', after.size()), std::string::npos) << screen;
    // The cursor stands right after the new text, where stdout goes on.
    EXPECT_EQ(drawn.substr(drawn.rfind('\r') + 1), after);
  }
}

TEST(StatusLineRedraw, WithEscapesErasesTheLineOnce) {
  EXPECT_EQ(RedrawStatus("書込み中", 40, true), "\r\033[K書込み中");
  EXPECT_EQ(RedrawStatus("", 40, true), "\r\033[K");
}

TEST(StatusLineRedraw, JapaneseTakesTwoColumnsAndHalfWidthKanaOne) {
  EXPECT_EQ(DisplayWidth("abc"), 3);
  EXPECT_EQ(DisplayWidth("書込み"), 6);
  EXPECT_EQ(DisplayWidth("ｶﾅ"), 2);
  EXPECT_EQ(DisplayWidth("．"), 2);
  // Blanks over a Japanese line cover its full width.
  const std::string redrawn = RedrawStatus("", DisplayWidth("書込み"), false);
  EXPECT_EQ(redrawn, "\r      \r");
}

}  // namespace
}  // namespace vrxtool
