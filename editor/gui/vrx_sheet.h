// The editor's one window: a modal sheet with the key map, CGRAM and option
// pages and the commands 開く, 保存, 終了 and 書込み.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "config/config_image.h"
#include "editor/core/edit_history.h"
#include "editor/gui/sheet_page.h"
#include "platform/profile.h"

class wxButton;
class wxBookCtrlEvent;
class wxCloseEvent;
class wxContextMenuEvent;
class wxKeyEvent;
class wxNotebook;
class wxScrolledWindow;

namespace vrx::editor {

class CKeyMapPage;
class CCGRAMPage;
class COptionPage;

class CVRXSheet : public wxDialog, private EditRecorder {
 public:
  enum CommandId {
    kOpenId = 9999,
    kSaveId = wxID_OK,
    kExitId = wxID_CANCEL,
    kWriteId = 0x3021,
    kAboutId = 0x10,
    kSaveLayoutId = 0x20,
  };
  enum PageIndex { kKeyMapPage = 0, kCgramPage = 1, kOptionPage = 2, kPageCount = 3 };

  // `profile` keeps the port and speed of the CGRAM page's LCD test.
  explicit CVRXSheet(ProfileStore& profile, wxWindow* parent = nullptr);

  // Full path (UTF-8) of the data file last opened or saved; empty at start.
  const std::string& currentPath() const { return currentPath_; }
  ConfigImage& config() { return config_; }

  CKeyMapPage* keyMapPage() const { return keyMapPage_; }
  CCGRAMPage* cgramPage() const { return cgramPage_; }
  COptionPage* optionPage() const { return optionPage_; }
  CSheetPage* page(int index) const { return pages_[index]; }
  wxNotebook* notebook() const { return notebook_; }
  wxButton* button(CommandId id) const;

  // True when the data, with what the active page's controls hold, differs
  // from the file as last opened or saved (a fresh one before that).
  bool AnyModified() const;

  // Takes the active page's controls over, as save, export, import, the
  // layout sheet and undo do first; false (after message 10003) when the
  // key map page holds a text that is no code.
  bool CommitActivePage();

  // インポート…: `imported` replaces the data as one undo step, which undo
  // shows on the key map page.
  void ApplyImport(const ConfigImage& imported);

  void OnOpen();
  // Opens `path` as 開く does after its file dialog, with the same prompt
  // and messages: the command line's file, a dropped file.
  void OpenDataFile(const std::string& path);
  // Files dropped on the window: the first one is opened.
  void OnFilesDropped(const std::vector<std::string>& paths);
  // True when the file was written.
  bool OnSave();
  void OnExit();
  void OnWrite();

  // Ctrl+Z; Ctrl+Y and Ctrl+Shift+Z.  Each shows the page of the change.
  void Undo();
  void Redo();
  const EditHistory& history() const { return history_; }

  // レイアウト図を保存…: the layout sheet as SVG, PNG or PDF.
  void SaveLayoutSheet(const std::string& path);

  // Shrinks the sheet to `available` (the screen's work area) where it is
  // larger; its pages then scroll.
  void FitInto(const wxSize& available);
  wxScrolledWindow* pageFrame(int index) const { return pageFrames_[index]; }

  // How 書込み starts the writer; tests put a recorder here so that no
  // program is started.
  std::function<void(wxWindow*, const std::string&)> startWriter;

 private:
  void CreatePages(ProfileStore& profile);
  void LoadDataFile(const std::string& path);
  void CreateButtonRow();
  void ShowFileTitle();
  // The prompt before a command that would drop unsaved changes; true when
  // the command may go on.
  bool ConfirmDiscard();
  // Ends the sheet: the end of the modal loop, or hiding a modeless one.
  void CloseSheet();
  CSheetPage* ActivePage() const;
  void ShowAboutBox();
  void AskAndSaveLayoutSheet();

  void BeginEdit() override;
  void EndEdit(const CSheetPage& page, int item) override;
  void RecordChange(const CSheetPage& page, int item, const ConfigImage& before,
                    const ConfigImage& after) override;
  void StepHistory(bool forward);
  void OnCharHook(wxKeyEvent& event);

  void OnInitDialog(wxInitDialogEvent& event);
  void OnPageChanging(wxBookCtrlEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnCloseBox(wxCloseEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);

  ProfileStore& profile_;  // also the language chosen in the right-click menu
  ConfigImage config_;
  // The data as last opened or saved: what "modified" is measured against.
  ConfigImage savedConfig_;
  std::string currentPath_;
  wxNotebook* notebook_ = nullptr;
  CKeyMapPage* keyMapPage_ = nullptr;
  CCGRAMPage* cgramPage_ = nullptr;
  COptionPage* optionPage_ = nullptr;
  std::array<CSheetPage*, kPageCount> pages_{};
  std::array<wxScrolledWindow*, kPageCount> pageFrames_{};
  wxButton* openButton_ = nullptr;
  wxButton* saveButton_ = nullptr;
  wxButton* exitButton_ = nullptr;
  wxButton* writeButton_ = nullptr;

  EditHistory history_;
  int editDepth_ = 0;
  ConfigImage editBefore_;
};

}  // namespace vrx::editor
