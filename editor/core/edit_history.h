// The editor's undo history: one step per committed change, each step kept
// as the parts of the configuration it changed, before and after.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "config/config_image.h"

namespace vrx::editor {

// Where a step was made: the page and the key or character it touched
// (-1 for none), so that undo can show it.
struct EditPlace {
  int page = 0;
  int item = -1;
};

class EditHistory {
 public:
  static constexpr std::size_t kDefaultLimit = 1000;
  explicit EditHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

  // Records the change from `before` to `after` as one step and forgets
  // what could be redone.  A change that changed nothing is no step.
  bool Record(EditPlace place, const ConfigImage& before, const ConfigImage& after);

  // Turns `config` back to before the last step; nullopt when there is
  // nothing to undo.
  std::optional<EditPlace> Undo(ConfigImage& config);
  std::optional<EditPlace> Redo(ConfigImage& config);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  std::size_t size() const { return steps_.size(); }

  void Clear();

 private:
  template <typename T>
  struct Change {
    T before;
    T after;
  };
  struct KeyChange {
    int key;
    Change<KeyEntry> entry;
  };
  struct Step {
    EditPlace place;
    std::optional<Change<uint16_t>> optionWord;
    std::optional<Change<uint8_t>> brrValue;
    std::optional<Change<uint8_t>> poInitial;
    std::optional<Change<std::array<uint8_t, kCgramBytes>>> cgram;
    std::vector<KeyChange> keys;
  };
  static void Apply(const Step& step, ConfigImage& config, bool forward);

  std::size_t limit_;
  std::deque<Step> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are applied
};

}  // namespace vrx::editor
