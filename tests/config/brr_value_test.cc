#include "config/brr_value.h"

#include <gtest/gtest.h>

namespace vrx::editor {
namespace {

struct SpeedRow {
  int speedIndex;
  uint8_t brrValue;
};

// 20,000,000 / (32 x bit rate), rounded, minus one.
constexpr SpeedRow kSpeeds[] = {{0, 0x81}, {1, 0x40}, {2, 0x2A}, {3, 0x20},
                                {4, 0x0F}, {5, 0x0A}, {6, 0x04}};

TEST(BrrValue, EverySpeedHasItsRegisterValueAndBack) {
  for (const SpeedRow& row : kSpeeds) {
    SCOPED_TRACE(row.speedIndex);
    EXPECT_EQ(BrrValueForSpeedIndex(row.speedIndex), row.brrValue);
    EXPECT_EQ(SpeedIndexForBrrValue(row.brrValue), row.speedIndex);
  }
}

TEST(BrrValue, NoSelectionOrUnknownIndexMeans38400) {
  for (int index : {-1, 7, 100}) EXPECT_EQ(BrrValueForSpeedIndex(index), 0x0F) << index;
}

TEST(BrrValue, ValuesOfNoSpeedFindNoIndex) {
  for (int value = 0; value <= 0xFF; ++value) {
    bool listed = false;
    for (const SpeedRow& row : kSpeeds) listed = listed || row.brrValue == value;
    if (!listed) {
      EXPECT_FALSE(SpeedIndexForBrrValue(static_cast<uint8_t>(value))) << value;
    }
  }
}

}  // namespace
}  // namespace vrx::editor
