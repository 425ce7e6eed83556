// 連続キャプチャ: after each captured key the selection moves on to the next
// matrix key in the chosen order, until the run ends.
#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string_view>

#include "config/config_image.h"

namespace vrx::editor {

enum class SequenceOrder {
  kByNumber,  // 1, 2, ... 128 (row 0 left to right, then row 1...)
  kByRow,     // as the matrix reads: ROW7 left to right, then ROW6... down to ROW0
  kByColumn,  // COL0 from ROW7 down to ROW0, then COL1...
};

// The order's value in the profile ("number", "row", "column"), and back;
// an unknown value reads as by number.
std::string_view SequenceOrderName(SequenceOrder order);
SequenceOrder SequenceOrderFromName(std::string_view name);

// Key index of the n-th key (0..127) in `order`.
int KeyAtPosition(SequenceOrder order, int position);
// Position of `key` in `order`.
int PositionOfKey(SequenceOrder order, int key);

// One run of 連続キャプチャ.
class CaptureSequence {
 public:
  CaptureSequence(SequenceOrder order, bool skipKeysWithCodes)
      : order_(order), skipKeysWithCodes_(skipKeysWithCodes) {}

  // The key the run starts on when the user starts it on `selected`: that key
  // itself, or with skipping the next one without codes from there on;
  // nothing when no key is left.
  std::optional<int> FirstKey(int selected, const std::array<KeyEntry, kKeyCount>& keys) const;
  // `key` was captured: it counts as done in this run, and the key to go on
  // with follows (nothing: the run has reached the end of the order).
  std::optional<int> Captured(int key, const std::array<KeyEntry, kKeyCount>& keys);
  // A captured key taken back (undo) no longer counts as done.
  void Forget(int key) { done_.reset(static_cast<size_t>(key)); }

  bool IsDone(int key) const { return done_.test(static_cast<size_t>(key)); }
  int doneCount() const { return static_cast<int>(done_.count()); }
  SequenceOrder order() const { return order_; }

 private:
  std::optional<int> FromPosition(int position, const std::array<KeyEntry, kKeyCount>& keys) const;

  SequenceOrder order_;
  bool skipKeysWithCodes_;
  std::bitset<kKeyCount> done_;
};

}  // namespace vrx::editor
