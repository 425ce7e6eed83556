// vrxtool.exe's text on its way to a Windows console: a character cut by a
// read of the pipe waits for its other bytes.  (Wine gives a test no console
// of its own; scripts/windows/console-screenshot.sh shows the relay in one.)
#include <gtest/gtest.h>

#include <string>

#include "tools/vrxtool/wide_console_relay_win32.h"

namespace vrxtool {
namespace {

TEST(WideConsoleRelay, ACharacterCutAtTheEndWaitsForItsOtherBytes) {
  const std::string block = "ブロック";  // 3 bytes each
  EXPECT_EQ(WholeCharactersLength(block), block.size());
  EXPECT_EQ(WholeCharactersLength(block.substr(0, 10)), 9u);
  EXPECT_EQ(WholeCharactersLength(block.substr(0, 11)), 9u);
  EXPECT_EQ(WholeCharactersLength("ok\n"), 3u);
  EXPECT_EQ(WholeCharactersLength(""), 0u);
  EXPECT_EQ(WholeCharactersLength("\xF0\x9F\x98"), 0u);  // 4-byte character, 3 here
  EXPECT_EQ(WholeCharactersLength("a\xC3"), 1u);
  // A stray continuation byte is no character to wait for.
  EXPECT_EQ(WholeCharactersLength("a\x80\x80\x80\x80"), 5u);
}

}  // namespace
}  // namespace vrxtool
