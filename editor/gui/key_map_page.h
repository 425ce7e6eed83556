// The key map page: the 8 x 16 key matrix, and the make code, break code and
// typematic flag of the selected key, typed or captured from the keyboard.
#pragma once

#include "editor/gui/sheet_page.h"

class wxCheckBox;
class wxChoice;
class wxCommandEvent;
class wxTextCtrl;
class wxToggleButton;

namespace vrx::editor {

class KeyMatrix;

class CKeyMapPage : public CSheetPage {
 public:
  // Control ids of the page's dialog template.
  static constexpr int kFirstKeyButtonId = 1005;  // key k has id 1005 + k
  static constexpr int kNumberListId = 1134;
  static constexpr int kMakeBoxId = 1135;
  static constexpr int kBreakBoxId = 1136;
  static constexpr int kCaptureButtonId = 1140;
  static constexpr int kTypematicBoxId = 1151;

  CKeyMapPage(wxWindow* parent, ConfigImage& config);
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

  KeyMatrix* keyMatrix() const { return matrix_; }
  wxChoice* numberList() const { return numberList_; }
  wxToggleButton* captureButton() const { return captureButton_; }
  wxCheckBox* typematicBox() const { return typematicBox_; }
  wxTextCtrl* makeBox() const { return makeBox_; }
  wxTextCtrl* breakBox() const { return breakBox_; }

 private:
  void CreateControls();
  void SelectKey(int key);
  void ShowSelection();

  void OnKeyButton(wxCommandEvent& event);
  void OnNumberChosen(wxCommandEvent& event);
  void OnCaptureClicked(wxCommandEvent& event);
  void OnTypematicClicked(wxCommandEvent& event);

  int selectedKey_ = 0;
  bool captureOn_ = false;

  KeyMatrix* matrix_ = nullptr;
  wxChoice* numberList_ = nullptr;
  wxToggleButton* captureButton_ = nullptr;
  wxCheckBox* typematicBox_ = nullptr;
  wxTextCtrl* makeBox_ = nullptr;
  wxTextCtrl* breakBox_ = nullptr;
};

}  // namespace vrx::editor
