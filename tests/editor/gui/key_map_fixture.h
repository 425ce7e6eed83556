// A shown dialog holding one key map page over its own ConfigImage, with the
// user's actions on the page's controls.
#pragma once

#include <gtest/gtest.h>
#include <wx/dialog.h>

#include <string>

#include "config/config_image.h"
#include "editor/gui/key_map_page.h"

namespace vrx::editor::test {

class KeyMapPageTest : public testing::Test {
 protected:
  KeyMapPageTest();
  ~KeyMapPageTest() override;

  // The dialog's title, unique per test so the X window can be found.
  static std::string TitleOfCurrentTest();

  // What the user does.
  void ClickKey(int key);         // a click on the key's button
  void ChooseNumber(int number);  // picks "number" in the Number list
  void ClickTypematic();
  void SetCapture(bool on);  // clicks the キャプチャ button into that state
  void Type(wxTextCtrl* box, const std::string& utf8);

  std::string Text(const wxTextCtrl* box) const;
  std::string NumberShown() const;

  ConfigImage config_;
  wxDialog* dialog_ = nullptr;
  CKeyMapPage* page_ = nullptr;
};

}  // namespace vrx::editor::test
