// キーテスト's window: lists the last key events with the matrix keys that
// send them, and how many keys of the map have been checked.  The key map
// page owns the session and lights the keys on its matrix.
#pragma once

#include <wx/dialog.h>

#include <functional>

#include "editor/core/key_test_session.h"

class wxListView;
class wxStaticText;

namespace vrx::editor {

class KeyTestDialog : public wxDialog {
 public:
  // `onEnd` runs once when the test ends (Esc, 終了, closing the window);
  // the page then destroys the window.
  KeyTestDialog(wxWindow* parent, const std::array<KeyEntry, kKeyCount>& keys,
                std::function<void()> onEnd);

  // A key-down on the PC keyboard; Esc is listed and then ends the test.
  void Press(unsigned virtualKey);

  const KeyTestSession& session() const { return session_; }
  wxListView* list() const { return list_; }
  wxStaticText* progress() const { return progress_; }

 private:
  void ShowEvents();
  void End();

  KeyTestSession session_;
  std::function<void()> onEnd_;
  bool ended_ = false;
  wxListView* list_ = nullptr;
  wxStaticText* progress_ = nullptr;
};

}  // namespace vrx::editor
