// キー一覧: every named key with its make and break codes, searchable, for
// the keys that cannot be captured (and for those that can).
#pragma once

#include <wx/dialog.h>

#include <optional>
#include <vector>

#include "editor/core/named_keys.h"

class wxListView;
class wxTextCtrl;

namespace vrx::editor {

class KeyListDialog : public wxDialog {
 public:
  explicit KeyListDialog(wxWindow* parent);

  // The key chosen with 設定 or a double click; nothing when cancelled.
  std::optional<NamedKey> chosen() const { return chosen_; }

  // The list as shown, for tests.
  wxTextCtrl* searchBox() const { return searchBox_; }
  wxListView* list() const { return list_; }
  const std::vector<const NamedKey*>& shownKeys() const { return shown_; }
  // Chooses the shown key at `row` and ends the dialog as 設定 does.
  void ChooseRow(long row);

 private:
  void Fill();

  wxTextCtrl* searchBox_ = nullptr;
  wxListView* list_ = nullptr;
  std::vector<const NamedKey*> shown_;
  std::optional<NamedKey> chosen_;
};

}  // namespace vrx::editor
