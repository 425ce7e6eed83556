#include "editor/core/key_test_session.h"

#include <gtest/gtest.h>

namespace vrx::editor {
namespace {

constexpr unsigned kVkA = 0x41;
constexpr unsigned kVkUp = 0x26;
constexpr unsigned kVkCapsLock = 0x14;  // no code in the capture table
constexpr unsigned kVkF1 = 0x70;

TEST(KeyTestSession, FindsTheMatrixKeysWhoseMakeCodeEqualsTheCode) {
  std::array<KeyEntry, kKeyCount> keys{};
  keys[3].makeCode = "1c";          // another spelling of A's code
  keys[40].makeCode = "0x1C";       // a second key sending A
  keys[41].makeCode = "1C,F0,1C";   // more than A's code: not A
  keys[7].makeCode = "E0,75";
  keys[8].makeCode = "75";          // the pad's 8, not ↑
  EXPECT_EQ(MatrixKeysForMakeCode(keys, "1C"), (std::vector<int>{3, 40}));
  EXPECT_EQ(MatrixKeysForMakeCode(keys, "E0,75"), (std::vector<int>{7}));
  EXPECT_TRUE(MatrixKeysForMakeCode(keys, "").empty());
  EXPECT_TRUE(MatrixKeysForMakeCode(keys, "E0,,75").empty());
}

TEST(KeyTestSession, PressedKeysStayMarkedAndEveryEventIsListed) {
  std::array<KeyEntry, kKeyCount> keys{};
  keys[0].makeCode = "1C";
  keys[16].makeCode = "E0,75";
  keys[17].makeCode = "06";  // F2
  KeyTestSession session(keys);
  EXPECT_EQ(session.assignedCount(), 3);
  EXPECT_EQ(session.pressedCount(), 0);

  const KeyTestEvent& a = session.Press(kVkA, "10:00:01");
  EXPECT_EQ(a.keyName, "A");
  EXPECT_EQ(a.makeCode, "1C");
  EXPECT_EQ(a.matrixKeys, (std::vector<int>{0}));
  session.Press(kVkUp, "10:00:02");
  session.Press(kVkA, "10:00:03");  // twice counts once
  EXPECT_TRUE(session.WasPressed(0));
  EXPECT_TRUE(session.WasPressed(16));
  EXPECT_FALSE(session.WasPressed(17));
  EXPECT_EQ(session.pressedCount(), 2);

  // A PC key no matrix key sends, and one without a code, are listed too.
  const KeyTestEvent& f1 = session.Press(kVkF1, "10:00:04");
  EXPECT_EQ(f1.keyName, "F1");
  EXPECT_TRUE(f1.matrixKeys.empty());
  const KeyTestEvent& caps = session.Press(kVkCapsLock, "10:00:05");
  EXPECT_TRUE(caps.makeCode.empty());
  EXPECT_EQ(caps.virtualKey, kVkCapsLock);
  ASSERT_EQ(session.events().size(), 5u);
  EXPECT_EQ(session.events().front().time, "10:00:05");
  EXPECT_EQ(session.events().back().time, "10:00:01");
  EXPECT_EQ(session.pressedCount(), 2);

  // The list keeps the newest events only.
  for (size_t i = 0; i < KeyTestSession::kEventsKept; ++i) session.Press(kVkA, "later");
  EXPECT_EQ(session.events().size(), KeyTestSession::kEventsKept);
  EXPECT_EQ(session.events().back().time, "later");
}

TEST(KeyTestSession, SeesTheMapAsItIsNow) {
  std::array<KeyEntry, kKeyCount> keys{};
  KeyTestSession session(keys);
  EXPECT_TRUE(session.Press(kVkA, "t").matrixKeys.empty());
  keys[5].makeCode = "1C";
  EXPECT_EQ(session.Press(kVkA, "t").matrixKeys, (std::vector<int>{5}));
  EXPECT_EQ(session.assignedCount(), 1);
}

}  // namespace
}  // namespace vrx::editor
