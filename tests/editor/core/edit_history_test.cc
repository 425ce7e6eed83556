#include "editor/core/edit_history.h"

#include <gtest/gtest.h>

namespace vrx::editor {
namespace {

class EditHistoryTest : public testing::Test {
 protected:
  // One change made as a page makes it.
  void Change(int page, int item, auto&& edit) {
    const ConfigImage before = config;
    edit(config);
    history.Record({page, item}, before, config);
  }

  EditHistory history;
  ConfigImage config;
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

  std::optional<EditPlace> place = history.Undo(config);
  ASSERT_TRUE(place);
  EXPECT_EQ(place->page, 2);
  EXPECT_EQ(config.optionWord, 0x0C);
  EXPECT_EQ(config.brrValue, 0x0F);
  EXPECT_EQ(history.Undo(config)->item, 2);
  EXPECT_EQ(history.Undo(config)->item, 16);
  EXPECT_EQ(config, fresh);
  EXPECT_FALSE(history.Undo(config));

  while (history.Redo(config)) {
  }
  EXPECT_EQ(config, edited);
}

TEST_F(EditHistoryTest, ChangesThatChangeNothingAreNoStepAndANewChangeDropsTheRedo) {
  Change(1, 0, [](ConfigImage&) {});
  EXPECT_FALSE(history.CanUndo());

  Change(1, 0, [](ConfigImage& c) { c.cgram[0] = 0x1F; });
  Change(1, 0, [](ConfigImage& c) { c.cgram[0] = 0x00; });
  history.Undo(config);
  EXPECT_TRUE(history.CanRedo());
  Change(1, 1, [](ConfigImage& c) { c.cgram[8] = 0x04; });
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.size(), 2u);
}

TEST_F(EditHistoryTest, TheHistoryKeepsTheNewestStepsUpToItsLimit) {
  EditHistory small(3);
  for (int key = 0; key < 5; ++key) {
    const ConfigImage before = config;
    config.keys[static_cast<size_t>(key)].makeCode = "1C";
    small.Record({0, key}, before, config);
  }
  EXPECT_EQ(small.size(), 3u);
  while (small.Undo(config)) {
  }
  EXPECT_EQ(config.keys[1].makeCode, "1C") << "steps beyond the limit are kept as made";
  EXPECT_EQ(config.keys[2].makeCode, "");

  small.Clear();
  EXPECT_FALSE(small.CanUndo());
  EXPECT_FALSE(small.CanRedo());
}

}  // namespace
}  // namespace vrx::editor
