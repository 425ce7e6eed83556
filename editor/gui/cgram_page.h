// The CGRAM page: the LCD's eight user characters drawn as enlarged dot
// grids, and a test that shows them on the LCD of a connected module.
#pragma once

#include <wx/bitmap.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "editor/core/dot_grid.h"
#include "resources/editor_texts.h"

#include "device/serial_options.h"
#include "editor/gui/sheet_page.h"
#include "platform/profile.h"

class wxButton;
class wxStaticText;
class wxContextMenuEvent;
class wxDC;
class wxMouseEvent;
class wxPaintEvent;

namespace vrx::ui {
class PortSpeedPicker;
}

namespace vrx::editor {

class CCGRAMPage : public CSheetPage {
 public:
  // Reads the port and speed of the last test from `profile`, which also
  // receives them after every test.
  CCGRAMPage(wxWindow* parent, ConfigImage& config, ProfileStore& profile);
  // A stroke still running lets go of the mouse.
  ~CCGRAMPage() override;

  // The port and speed index for the test, exchanged with the two lists.
  std::string portName;
  int speedIndex = 4;

  // How the test's link waits; tests of silent devices shorten it.
  SerialOptions linkOptions;

  void OnSetActive() override;
  bool OnKillActive() override;
  void ShowLoadedConfig() override;

  // The cell of character 0..7 in page pixels; its top-left corner is the
  // origin of the character's 80 x 128-pixel dot grid.
  wxRect CellRect(int character) const;

  // A press at `point` (page pixels): lights (left button) or clears (right
  // button) the dot under it, if any, as one undo step.
  void SetDotAt(const wxPoint& point, bool lit);

  // A drag with a button held: the press at `point` starts it, every move
  // paints the dots passed on the way, the release ends it as one undo step.
  void BeginStroke(const wxPoint& point, bool lit);
  void ContinueStroke(const wxPoint& point);
  void EndStroke();

  // The character whose cell or label lies under `point`, or -1.
  int CharacterAt(const wxPoint& point) const;
  // A tool of the character menu on `character`, as its menu entry does.
  void ApplyTool(int character, editor_text::CharacterTool tool);

  // Draws the eight cells and their dots on `dc` (page coordinates): the
  // page's paint, or a picture of it.
  void DrawCharacters(wxDC& dc) const;

  // The テスト button: sends the characters to the LCD of the module on the
  // chosen port, reports a failure and remembers port and speed.
  void OnTest();

  ui::PortSpeedPicker& portSpeedPicker() const { return *portSpeed_; }

 private:
  void ControlsFromFields();
  void FieldsFromControls();
  void SaveTestSettings();

  DotGrid Grid() const;
  wxPoint PagePoint(const wxMouseEvent& event) const;
  void PaintDots(const std::vector<DotPlace>& dots);
  void ShowCharacterMenu(int character);

  void OnPaint(wxPaintEvent& event);
  void OnMouseDown(wxMouseEvent& event);
  void OnMouseMove(wxMouseEvent& event);
  void OnMouseUp(wxMouseEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);

  struct Stroke {
    bool lit;
    wxPoint last;
    int character;
  };
  std::optional<Stroke> stroke_;
  std::array<wxWindow*, kCharacterCount> labels_{};

  wxBitmap dotOn_;
  wxBitmap dotOff_;
  ProfileStore& profile_;
  std::unique_ptr<ui::PortSpeedPicker> portSpeed_;
  wxButton* testButton_ = nullptr;
  wxStaticText* bpsLabel_ = nullptr;
};

}  // namespace vrx::editor
