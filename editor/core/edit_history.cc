#include "editor/core/edit_history.h"

namespace vrx::editor {
namespace {

template <typename Change, typename T>
void NoteChange(std::optional<Change>& change, const T& before, const T& after) {
  if (before != after) change = Change{before, after};
}

template <typename Change, typename T>
void Restore(const std::optional<Change>& change, T& value, bool forward) {
  if (change) value = forward ? change->after : change->before;
}

}  // namespace

bool EditHistory::Record(EditPlace place, const ConfigImage& before, const ConfigImage& after) {
  Step step{place, {}, {}, {}, {}, {}};
  NoteChange(step.optionWord, before.optionWord, after.optionWord);
  NoteChange(step.brrValue, before.brrValue, after.brrValue);
  NoteChange(step.poInitial, before.poInitial, after.poInitial);
  NoteChange(step.cgram, before.cgram, after.cgram);
  for (int key = 0; key < kKeyCount; ++key) {
    const auto index = static_cast<std::size_t>(key);
    if (before.keys[index] != after.keys[index])
      step.keys.push_back({key, {before.keys[index], after.keys[index]}});
  }
  if (!step.optionWord && !step.brrValue && !step.poInitial && !step.cgram && step.keys.empty())
    return false;

  steps_.resize(done_);
  steps_.push_back(std::move(step));
  if (steps_.size() > limit_) steps_.pop_front();
  done_ = steps_.size();
  return true;
}

void EditHistory::Apply(const Step& step, ConfigImage& config, bool forward) {
  Restore(step.optionWord, config.optionWord, forward);
  Restore(step.brrValue, config.brrValue, forward);
  Restore(step.poInitial, config.poInitial, forward);
  Restore(step.cgram, config.cgram, forward);
  for (const KeyChange& change : step.keys)
    config.keys[static_cast<std::size_t>(change.key)] =
        forward ? change.entry.after : change.entry.before;
}

std::optional<EditPlace> EditHistory::Undo(ConfigImage& config) {
  if (!CanUndo()) return std::nullopt;
  const Step& step = steps_[--done_];
  Apply(step, config, false);
  return step.place;
}

std::optional<EditPlace> EditHistory::Redo(ConfigImage& config) {
  if (!CanRedo()) return std::nullopt;
  const Step& step = steps_[done_++];
  Apply(step, config, true);
  return step.place;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
}

}  // namespace vrx::editor
