// キーテスト: with the programmed module's keyboard plugged into the PC, each
// key press is traced back to the matrix keys whose make code produces it,
// so the user can check the whole map key by key.  Nothing in the data
// changes.
#pragma once

#include <array>
#include <bitset>
#include <deque>
#include <string>
#include <vector>

#include "config/config_image.h"

namespace vrx::editor {

// The matrix keys whose make code equals `makeCode` byte for byte, lowest
// first; none for an empty or invalid code.
std::vector<int> MatrixKeysForMakeCode(const std::array<KeyEntry, kKeyCount>& keys,
                                       const std::string& makeCode);

struct KeyTestEvent {
  std::string time;        // as the caller gave it ("12:34:56")
  unsigned virtualKey = 0;
  std::string keyName;     // "" when no named key sends the code
  std::string makeCode;    // "" when the PC key has no code to capture
  std::vector<int> matrixKeys;
};

class KeyTestSession {
 public:
  static constexpr size_t kEventsKept = 200;

  explicit KeyTestSession(const std::array<KeyEntry, kKeyCount>& keys) : keys_(keys) {}

  // A key-down seen on the PC keyboard (a Windows virtual-key code).
  const KeyTestEvent& Press(unsigned virtualKey, std::string time);

  bool WasPressed(int matrixKey) const { return pressed_.test(static_cast<size_t>(matrixKey)); }
  // Keys of the map (with a make code) pressed at least once, and all of them.
  int pressedCount() const;
  int assignedCount() const;
  // Newest first, at most kEventsKept.
  const std::deque<KeyTestEvent>& events() const { return events_; }

 private:
  const std::array<KeyEntry, kKeyCount>& keys_;
  std::bitset<kKeyCount> pressed_;
  std::deque<KeyTestEvent> events_;
};

}  // namespace vrx::editor
