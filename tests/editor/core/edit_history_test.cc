#include "editor/core/edit_history.h"

#include <gtest/gtest.h>

namespace vrx::editor {
namespace {

constexpr ModifiedFlags kClean{};

class EditHistoryTest : public testing::Test {
 protected:
  // One change made as a page makes it: the flag of its page goes up.
  void Change(int page, int item, auto&& edit) {
    const ConfigImage before = config;
    const ModifiedFlags flagsBefore = flags;
    edit(config);
    flags[static_cast<size_t>(page)] = true;
    history.Record({page, item}, before, flagsBefore, config, flags);
  }

  EditHistory history;
  ConfigImage config;
  ModifiedFlags flags{};
};

TEST_F(EditHistoryTest, UndoAndRedoWalkTheStepsAndTellWhereEachWasMade) {
  const ConfigImage fresh = config;
  Change(0, 16, [](ConfigImage& c) { c.keys[16].makeCode = "E0,75"; });
  Change(1, 2, [](ConfigImage& c) { c.cgram[16] = 0x10; });
  Change(2, -1, [](ConfigImage& c) {
    c.optionWord = 0x0D;
    c.brrValue = 0x0A;
  });
  const ConfigImage edited = config;

  std::optional<EditPlace> place = history.Undo(config, flags);
  ASSERT_TRUE(place);
  EXPECT_EQ(place->page, 2);
  EXPECT_EQ(config.optionWord, 0x0C);
  EXPECT_EQ(config.brrValue, 0x0F);
  EXPECT_EQ(history.Undo(config, flags)->item, 2);
  EXPECT_EQ(history.Undo(config, flags)->item, 16);
  EXPECT_EQ(config, fresh);
  EXPECT_EQ(flags, kClean);  // back where the editor started: nothing to save
  EXPECT_FALSE(history.Undo(config, flags));

  while (history.Redo(config, flags)) {
  }
  EXPECT_EQ(config, edited);
  EXPECT_EQ(flags, (ModifiedFlags{true, true, true}));
}

TEST_F(EditHistoryTest, ChangesThatChangeNothingAreNoStepAndANewChangeDropsTheRedo) {
  Change(1, 0, [](ConfigImage&) {});
  EXPECT_FALSE(history.CanUndo());

  Change(1, 0, [](ConfigImage& c) { c.cgram[0] = 0x1F; });
  Change(1, 0, [](ConfigImage& c) { c.cgram[0] = 0x00; });
  history.Undo(config, flags);
  EXPECT_TRUE(history.CanRedo());
  Change(1, 1, [](ConfigImage& c) { c.cgram[8] = 0x04; });
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.size(), 2u);
}

TEST_F(EditHistoryTest, AfterASaveOnlyTheSavedStateCountsAsUnchanged) {
  Change(1, 0, [](ConfigImage& c) { c.cgram[0] = 0x10; });
  Change(1, 0, [](ConfigImage& c) { c.cgram[1] = 0x10; });
  history.MarkSaved();
  flags = kClean;

  history.Undo(config, flags);
  EXPECT_TRUE(flags[1]) << "the file holds the second dot";
  history.Redo(config, flags);
  EXPECT_EQ(flags, kClean) << "back at the saved state";
}

TEST_F(EditHistoryTest, TheHistoryKeepsTheNewestStepsUpToItsLimit) {
  EditHistory small(3);
  for (int key = 0; key < 5; ++key) {
    const ConfigImage before = config;
    config.keys[static_cast<size_t>(key)].makeCode = "1C";
    small.Record({0, key}, before, flags, config, flags);
  }
  EXPECT_EQ(small.size(), 3u);
  while (small.Undo(config, flags)) {
  }
  EXPECT_EQ(config.keys[1].makeCode, "1C") << "steps beyond the limit are kept as made";
  EXPECT_EQ(config.keys[2].makeCode, "");

  small.Clear();
  EXPECT_FALSE(small.CanUndo());
  EXPECT_FALSE(small.CanRedo());
}

}  // namespace
}  // namespace vrx::editor
