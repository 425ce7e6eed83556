// The option page: the seven option flags of `optionWord`, the device's
// serial speed (`brrValue`) and the initial levels of PO4..PO7
// (`poInitial`).
#pragma once

#include <array>

#include "editor/core/option_fields.h"
#include "editor/gui/sheet_page.h"

class wxCheckBox;
class wxChoice;
class wxCommandEvent;
class wxEvent;

namespace vrx::editor {

class COptionPage : public CSheetPage {
 public:
  // Control ids of the page; a click on any control from kFirstControlId to
  // kLastControlId is one undo step.
  enum ControlId {
    kFirstOptionBoxId = 1152,  // 1152..1158: optionWord bits 0..6
    kSpeedListId = 1160,
    kPo4BoxId = 1166,  // 1166..1169: poInitial bits 4..7
    kFirstControlId = kFirstOptionBoxId,
    kLastControlId = 1169,
  };
  static constexpr int kOptionBoxCount = kOptionFlagCount;
  static constexpr int kPoBoxCount = kPoLevelCount;

  COptionPage(wxWindow* parent, ConfigImage& config);

  void RecordToControls();
  void ControlsToRecord();

  bool OnKillActive() override;
  void OnSetActive() override;
  bool CommitBeforeSave() override;
  void ShowLoadedConfig() override;
  // The controls' values over `config`'s three fields.
  bool PendingInto(ConfigImage& config) const override;

  wxCheckBox* OptionBox(int bit) const { return optionBoxes_[bit]; }
  // `bit` is the bit of poInitial, 4..7.
  wxCheckBox* PoBox(int bit) const { return poBoxes_[bit - 4]; }
  wxChoice* SpeedList() const { return speedList_; }

 private:
  void CreateControls();
  void OnControlChanged(wxCommandEvent& event);

  std::array<wxCheckBox*, kOptionBoxCount> optionBoxes_{};
  std::array<wxCheckBox*, kPoBoxCount> poBoxes_{};  // PO4, PO5, PO6, PO7
  wxChoice* speedList_ = nullptr;
  // The three fields as the controls showed them before the latest click.
  ConfigImage shown_;
};

}  // namespace vrx::editor
