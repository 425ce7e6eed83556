// A page of the editor's sheet.  The ConfigImage is owned by the sheet; each
// page edits its own fields of it in place.
#pragma once

#include <wx/panel.h>

#include "config/config_image.h"

namespace vrx::editor {

class CSheetPage;

// Turns the changes a page makes into undo steps.  Begin and end nest: a
// drag stroke with many dots is one step.
class EditRecorder {
 public:
  virtual void BeginEdit() = 0;
  // `item`: the key or character changed, shown again by undo; -1 for none.
  virtual void EndEdit(const CSheetPage& page, int item) = 0;
  // A change the page shows but keeps out of the ConfigImage for now.
  virtual void RecordChange(const CSheetPage& page, int item, const ConfigImage& before,
                            const ConfigImage& after) = 0;

 protected:
  ~EditRecorder() = default;
};

class CSheetPage : public wxPanel {
 public:
  CSheetPage(wxWindow* parent, ConfigImage& config) : wxPanel(parent), config_(config) {}

  // The sheet is about to switch to another page.  The page takes its
  // controls over into the ConfigImage; false refuses (the page has shown its
  // own message) and the sheet stays on it.
  virtual bool OnKillActive() { return true; }

  // The page has become the active page (also the first time).
  virtual void OnSetActive() {}

  // Before a save while this page is active: take the controls over.  False
  // refuses the save; the sheet then shows message 10003.
  virtual bool CommitBeforeSave() { return true; }

  // What a save from here would store: the page's controls laid over
  // `config` without taking them over.  False when they hold a text that
  // cannot be stored.
  virtual bool PendingInto(ConfigImage& /*config*/) const { return true; }

  // After a data file was loaded while this page is active: show it.
  virtual void ShowLoadedConfig() = 0;

  // Undo or redo changed `item` (a key or character; -1 for none) on this
  // page, which is now the active page: show the change.
  virtual void ShowUndoneEdit(int /*item*/) { ShowLoadedConfig(); }

  // Set by the sheet; without one, changes are simply made.
  EditRecorder* recorder = nullptr;

 protected:
  // Makes `change` on the ConfigImage as one undo step.
  template <typename Change>
  void RecordEdit(int item, Change&& change) {
    BeginEdit();
    change();
    EndEdit(item);
  }
  void BeginEdit() {
    if (recorder) recorder->BeginEdit();
  }
  void EndEdit(int item) {
    if (recorder) recorder->EndEdit(*this, item);
  }

  ConfigImage& config_;
};

}  // namespace vrx::editor
