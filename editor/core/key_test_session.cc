#include "editor/core/key_test_session.h"

#include "config/code_text.h"
#include "editor/core/capture_table.h"
#include "editor/core/key_description.h"

namespace vrx::editor {

std::vector<int> MatrixKeysForMakeCode(const std::array<KeyEntry, kKeyCount>& keys,
                                       const std::string& makeCode) {
  const std::vector<uint8_t> wanted = CodeTextBytes(makeCode);
  std::vector<int> found;
  if (wanted.empty()) return found;
  for (int key = 0; key < kKeyCount; ++key)
    if (CodeTextBytes(keys[static_cast<size_t>(key)].makeCode) == wanted) found.push_back(key);
  return found;
}

const KeyTestEvent& KeyTestSession::Press(unsigned virtualKey, std::string time) {
  KeyTestEvent event;
  event.time = std::move(time);
  event.virtualKey = virtualKey;
  if (const auto captured = TranslateCapturedKey(virtualKey)) {
    event.makeCode = captured->makeCode;
    event.keyName = KeyNameForMakeCode(captured->makeCode);
    event.matrixKeys = MatrixKeysForMakeCode(keys_, captured->makeCode);
    for (int key : event.matrixKeys) pressed_.set(static_cast<size_t>(key));
  }
  events_.push_front(std::move(event));
  if (events_.size() > kEventsKept) events_.pop_back();
  return events_.front();
}

int KeyTestSession::pressedCount() const {
  int count = 0;
  for (int key = 0; key < kKeyCount; ++key)
    if (WasPressed(key) && !keys_[static_cast<size_t>(key)].makeCode.empty()) ++count;
  return count;
}

int KeyTestSession::assignedCount() const {
  int count = 0;
  for (const KeyEntry& key : keys_)
    if (!key.makeCode.empty()) ++count;
  return count;
}

}  // namespace vrx::editor
