#include "editor/core/capture_sequence.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace vrx::editor {
namespace {

std::array<KeyEntry, kKeyCount> FreshKeys() { return {}; }

// Walks a whole run from `start`, capturing every key it offers.
std::vector<int> Walk(SequenceOrder order, bool skip, int start,
                      std::array<KeyEntry, kKeyCount>& keys) {
  CaptureSequence run(order, skip);
  std::vector<int> visited;
  for (std::optional<int> key = run.FirstKey(start, keys); key; key = run.Captured(*key, keys)) {
    visited.push_back(*key);
    keys[static_cast<size_t>(*key)].makeCode = "1C";
  }
  return visited;
}

TEST(CaptureSequence, EachOrderVisitsEveryKeyOnceAsTheMatrixReads) {
  for (SequenceOrder order :
       {SequenceOrder::kByNumber, SequenceOrder::kByRow, SequenceOrder::kByColumn}) {
    auto keys = FreshKeys();
    const std::vector<int> visited = Walk(order, false, KeyAtPosition(order, 0), keys);
    EXPECT_EQ(visited.size(), 128u);
    EXPECT_EQ(std::set<int>(visited.begin(), visited.end()).size(), 128u);
    for (int position = 0; position < kKeyCount; ++position)
      EXPECT_EQ(PositionOfKey(order, KeyAtPosition(order, position)), position);
  }
  // By number: key 1, 2, ...; by row: ROW7 (keys 113..128) left to right
  // first; by column: COL0 from the top row down.
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByNumber, 17), 17);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByRow, 0), 112);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByRow, 15), 127);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByRow, 16), 96);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByRow, 127), 15);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByColumn, 0), 112);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByColumn, 7), 0);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByColumn, 8), 113);
  EXPECT_EQ(KeyAtPosition(SequenceOrder::kByColumn, 127), 15);
}

TEST(CaptureSequence, StartsOnTheSelectionAndEndsAfterTheLastKeyOfTheOrder) {
  auto keys = FreshKeys();
  const std::vector<int> visited = Walk(SequenceOrder::kByNumber, false, 125, keys);
  EXPECT_EQ(visited, (std::vector<int>{125, 126, 127}));

  CaptureSequence run(SequenceOrder::kByColumn, false);
  EXPECT_EQ(run.FirstKey(0, keys), 0);
  EXPECT_EQ(run.Captured(0, keys), 113);  // bottom of COL0, then top of COL1
  EXPECT_TRUE(run.IsDone(0));
  EXPECT_EQ(run.doneCount(), 1);
  run.Forget(0);
  EXPECT_FALSE(run.IsDone(0));
}

TEST(CaptureSequence, SkippingPassesOverKeysThatHaveCodesAlready) {
  auto keys = FreshKeys();
  keys[1].makeCode = "1C";
  keys[2].breakCode = "F0,1C";  // a break code alone counts as codes too
  keys[3].makeCode = "1C";
  CaptureSequence skipping(SequenceOrder::kByNumber, true);
  EXPECT_EQ(skipping.FirstKey(1, keys), 4);
  EXPECT_EQ(skipping.Captured(0, keys), 4);
  CaptureSequence notSkipping(SequenceOrder::kByNumber, false);
  EXPECT_EQ(notSkipping.FirstKey(1, keys), 1);
  EXPECT_EQ(notSkipping.Captured(0, keys), 1);

  for (KeyEntry& key : keys) key.makeCode = "1C";
  EXPECT_EQ(skipping.FirstKey(0, keys), std::nullopt);
}

TEST(CaptureSequence, TheOrderIsStoredByName) {
  for (SequenceOrder order :
       {SequenceOrder::kByNumber, SequenceOrder::kByRow, SequenceOrder::kByColumn})
    EXPECT_EQ(SequenceOrderFromName(SequenceOrderName(order)), order);
  EXPECT_EQ(SequenceOrderFromName("diagonal"), SequenceOrder::kByNumber);
  EXPECT_EQ(SequenceOrderFromName(""), SequenceOrder::kByNumber);
}

}  // namespace
}  // namespace vrx::editor
