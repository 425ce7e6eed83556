// The key matrix of the key map page: the matrix picture with one radio
// button per key, working as one radio group.  A click selects a key, the
// arrow keys move the selection through the matrix, and while the control
// has the focus a focus frame surrounds the selected key.  Keys with codes
// are drawn as filled nodes, and a key's tooltip tells its codes.
#pragma once

#include <wx/control.h>

#include <array>
#include <functional>

#include "config/config_image.h"

class wxDC;
class wxKeyEvent;
class wxMouseEvent;
class wxPaintEvent;

namespace vrx::editor {

// A key's extra mark while a tool runs: done in this capture sequence, or
// pressed in the key test (lit: by the last key event).
enum class KeyMark { kNone, kDone, kLit };

class KeyMatrix : public wxControl {
 public:
  // Every click on a key button, and every move by the keyboard, sends a
  // wxEVT_RADIOBUTTON command with id `firstButtonId` + key and the key as
  // its int, after the selection has moved to that key.
  KeyMatrix(wxWindow* parent, int firstButtonId, const std::array<KeyEntry, kKeyCount>& keys);

  int selection() const { return selection_; }
  // Moves the selection without a command (the page restoring its state).
  void SetSelection(int key);

  // The key button's place in this control's pixels.
  wxRect KeyButtonRect(int key) const;
  // The key under `point`, or -1.
  int KeyAt(const wxPoint& point) const;

  // The tools' marks (none: no marks), and a frame around the selected key
  // that shows without the focus (the key a capture sequence waits for).
  void SetKeyMarks(std::function<KeyMark(int key)> marks);
  void EmphasizeSelection(bool on);

  // Draws the matrix picture (its grid, labels and the shaded block), the
  // buttons and, when `focused`, the focus frame.
  void Render(wxDC& dc, bool focused);

  bool AcceptsFocus() const override { return true; }

 protected:
  wxSize DoGetBestSize() const override { return GetSize(); }

 private:
  wxPoint KeyCentre(int key) const;
  void DrawGrid(wxDC& dc) const;
  void Choose(int key);
  void OnPaint(wxPaintEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnMotion(wxMouseEvent& event);

  const int firstButtonId_;
  const std::array<KeyEntry, kKeyCount>& keys_;
  int hoveredKey_ = -1;
  int selection_ = 0;
  std::function<KeyMark(int key)> marks_;
  bool emphasizeSelection_ = false;
};

}  // namespace vrx::editor
