// The key map page: the 8 x 16 key matrix, and the make code, break code and
// typematic flag of the selected key, typed or captured from the keyboard.
#pragma once

#include <memory>
#include <optional>

#include "editor/core/capture_sequence.h"
#include "editor/gui/sheet_page.h"
#include "platform/profile.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxCommandEvent;
class wxTextCtrl;
class wxStaticText;
class wxToggleButton;

namespace vrx::editor {

class KeyMatrix;
class KeyTestDialog;
struct NamedKey;

class CKeyMapPage : public CSheetPage {
 public:
  // Control ids of the page's dialog template.
  static constexpr int kFirstKeyButtonId = 1005;  // key k has id 1005 + k
  static constexpr int kNumberListId = 1134;
  static constexpr int kMakeBoxId = 1135;
  static constexpr int kBreakBoxId = 1136;
  static constexpr int kCaptureButtonId = 1140;
  static constexpr int kTypematicBoxId = 1151;

  // `profile` keeps the capture sequence's order and skip option; without
  // one they start as by number, not skipping, and are not kept.
  CKeyMapPage(wxWindow* parent, ConfigImage& config, ProfileStore* profile = nullptr);
  ~CKeyMapPage() override;

  // Puts the selected key's codes and flag into the boxes.
  void ShowSelectedKey();
  // Stores the boxes' texts into the selected key when both are valid code
  // texts; false stores nothing.
  bool CommitEdits();

  bool OnKillActive() override;
  void OnSetActive() override;
  bool CommitBeforeSave() override { return CommitEdits(); }
  bool PendingInto(ConfigImage& config) const override;
  void ShowLoadedConfig() override { ShowSelectedKey(); }
  // Selects the key and shows it.
  void ShowUndoneEdit(int key) override;

  int selectedKey() const { return selectedKey_; }
  bool captureOn() const { return captureOn_; }

  // A key-down seen while capture is on, as a Windows virtual-key code.
  void CaptureKey(unsigned virtualKey);

  // 連続キャプチャ: starts capturing at the selected key (or the next one
  // without codes, when skipping) and moves on after every captured key;
  // Esc, a click elsewhere or the end of the order stops it.
  void StartSequence();
  void StopSequence();
  bool sequenceOn() const { return sequence_.has_value(); }
  const std::optional<CaptureSequence>& sequence() const { return sequence_; }

  // Gives the selected key the named key's codes, as capturing it would.
  void UseNamedKey(const NamedKey& key);

  // キーテスト: opens its window; the matrix marks the keys pressed.
  void StartKeyTest();
  void StopKeyTest();
  KeyTestDialog* keyTest() const { return keyTest_; }

  KeyMatrix* keyMatrix() const { return matrix_; }
  wxChoice* numberList() const { return numberList_; }
  wxToggleButton* captureButton() const { return captureButton_; }
  wxCheckBox* typematicBox() const { return typematicBox_; }
  wxCheckBox* sequenceBox() const { return sequenceBox_; }
  wxChoice* orderList() const { return orderList_; }
  wxCheckBox* skipBox() const { return skipBox_; }
  wxButton* keyListButton() const { return keyListButton_; }
  wxToggleButton* keyTestButton() const { return keyTestButton_; }
  wxTextCtrl* makeBox() const { return makeBox_; }
  wxTextCtrl* breakBox() const { return breakBox_; }

 private:
  void CreateControls();
  void CreateToolControls();
  void PlaceSequenceRow(wxStaticText& orderLabel);
  void SetCapture(bool on);
  void ShowMarks();
  void SelectKey(int key);
  void ShowSelection();

  void OnKeyButton(wxCommandEvent& event);
  void OnNumberChosen(wxCommandEvent& event);
  void OnCaptureClicked(wxCommandEvent& event);
  void OnTypematicClicked(wxCommandEvent& event);

  int selectedKey_ = 0;
  bool captureOn_ = false;
  ProfileStore* profile_ = nullptr;
  std::optional<CaptureSequence> sequence_;
  KeyTestDialog* keyTest_ = nullptr;

  KeyMatrix* matrix_ = nullptr;
  wxChoice* numberList_ = nullptr;
  wxToggleButton* captureButton_ = nullptr;
  wxCheckBox* typematicBox_ = nullptr;
  wxTextCtrl* makeBox_ = nullptr;
  wxTextCtrl* breakBox_ = nullptr;
  wxCheckBox* sequenceBox_ = nullptr;
  wxChoice* orderList_ = nullptr;
  wxCheckBox* skipBox_ = nullptr;
  wxButton* keyListButton_ = nullptr;
  wxToggleButton* keyTestButton_ = nullptr;
};

}  // namespace vrx::editor
