#include "editor/core/capture_sequence.h"

#include "editor/core/key_description.h"

namespace vrx::editor {
namespace {

constexpr int kRows = kKeyCount / 16;
constexpr int kColumns = 16;

}  // namespace

std::string_view SequenceOrderName(SequenceOrder order) {
  switch (order) {
    case SequenceOrder::kByRow:
      return "row";
    case SequenceOrder::kByColumn:
      return "column";
    case SequenceOrder::kByNumber:
      break;
  }
  return "number";
}

SequenceOrder SequenceOrderFromName(std::string_view name) {
  if (name == "row") return SequenceOrder::kByRow;
  if (name == "column") return SequenceOrder::kByColumn;
  return SequenceOrder::kByNumber;
}

int KeyAtPosition(SequenceOrder order, int position) {
  switch (order) {
    case SequenceOrder::kByRow: {
      const int row = kRows - 1 - position / kColumns;
      return row * kColumns + position % kColumns;
    }
    case SequenceOrder::kByColumn: {
      const int row = kRows - 1 - position % kRows;
      return row * kColumns + position / kRows;
    }
    case SequenceOrder::kByNumber:
      break;
  }
  return position;
}

int PositionOfKey(SequenceOrder order, int key) {
  const int row = KeyRow(key);
  const int column = KeyColumn(key);
  switch (order) {
    case SequenceOrder::kByRow:
      return (kRows - 1 - row) * kColumns + column;
    case SequenceOrder::kByColumn:
      return column * kRows + (kRows - 1 - row);
    case SequenceOrder::kByNumber:
      break;
  }
  return key;
}

std::optional<int> CaptureSequence::FromPosition(
    int position, const std::array<KeyEntry, kKeyCount>& keys) const {
  for (; position < kKeyCount; ++position) {
    const int key = KeyAtPosition(order_, position);
    if (!skipKeysWithCodes_ || !HasCodes(keys[static_cast<size_t>(key)])) return key;
  }
  return std::nullopt;
}

std::optional<int> CaptureSequence::FirstKey(int selected,
                                             const std::array<KeyEntry, kKeyCount>& keys) const {
  return FromPosition(PositionOfKey(order_, selected), keys);
}

std::optional<int> CaptureSequence::Captured(int key, const std::array<KeyEntry, kKeyCount>& keys) {
  done_.set(static_cast<size_t>(key));
  return FromPosition(PositionOfKey(order_, key) + 1, keys);
}

}  // namespace vrx::editor
