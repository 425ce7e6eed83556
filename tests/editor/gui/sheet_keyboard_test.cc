// The sheet at start and under the keyboard: focus, default button, Enter
// and Esc, and the order of the buttons.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include "editor/gui/option_page.h"
#include "tests/editor/gui/sheet_fixture.h"
#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"

namespace vrx::editor {
namespace {

using SheetKeyboardTest = SheetTest;

TEST_F(SheetKeyboardTest, StartsOnTheKeyMapWithOpenFocusedAndDefault) {
  EXPECT_EQ(sheet->GetTitle(), wxS("VRXEditor"));
  EXPECT_EQ(sheet->notebook()->GetSelection(), CVRXSheet::kKeyMapPage);
  const char* const captions[] = {"キーマップ", "CGRAM", "オプション"};
  for (int index = 0; index < CVRXSheet::kPageCount; ++index)
    EXPECT_EQ(sheet->notebook()->GetPageText(static_cast<size_t>(index)),
              wxString::FromUTF8(captions[index]));
  EXPECT_TRUE(
      test::PumpUntil([&] { return wxWindow::FindFocus() == sheet->button(CVRXSheet::kOpenId); }));
  EXPECT_EQ(sheet->GetDefaultItem(), sheet->button(CVRXSheet::kOpenId));
  // ... and shows its focus ring before any key was pressed.
  using GetFocusVisible = int(void*);
  auto* focusVisible =
      reinterpret_cast<GetFocusVisible*>(dlsym(RTLD_DEFAULT, "gtk_window_get_focus_visible"));
  ASSERT_NE(focusVisible, nullptr);
  EXPECT_TRUE(focusVisible(sheet->GetHandle()));
  EXPECT_TRUE(sheet->button(CVRXSheet::kWriteId)->IsEnabled());
  EXPECT_FALSE(sheet->AnyModified());
}

TEST_F(SheetKeyboardTest, ButtonsReadOpenSaveExitWriteFromLeftToRight) {
  const CVRXSheet::CommandId order[] = {CVRXSheet::kOpenId, CVRXSheet::kSaveId, CVRXSheet::kExitId,
                                        CVRXSheet::kWriteId};
  const char* const labels[] = {"開く", "保存", "終了", "書込み"};
  for (int i = 0; i < 4; ++i) {
    wxButton* button = sheet->button(order[i]);
    EXPECT_EQ(button->GetLabel(), wxString::FromUTF8(labels[i]));
    if (i > 0) {
      const wxRect left = sheet->button(order[i - 1])->GetRect();
      EXPECT_LT(left.GetRight(), button->GetRect().GetLeft()) << labels[i];
      EXPECT_EQ(left.y, button->GetRect().y);
    }
    EXPECT_FALSE(button->GetRect().Intersects(sheet->notebook()->GetRect())) << labels[i];
  }
}

TEST_F(SheetKeyboardTest, EnterOpensTheFileDialog) {
  ASSERT_TRUE(
      test::PumpUntil([&] { return wxWindow::FindFocus() == sheet->button(CVRXSheet::kOpenId); }));
  test::DialogScript script;
  script.ExpectFileDialogCancelled();
  PressKey(WXK_RETURN);
  EXPECT_TRUE(test::PumpUntil([&] { return script.AllMet(); }));
  EXPECT_TRUE(sheet->IsShown());
}

TEST_F(SheetKeyboardTest, EscapeMeansExit) {
  sheet->config().optionWord ^= 0x01;  // an unsaved change
  {
    test::DialogScript script;
    script.ExpectMessage(kUnsavedPrompt, wxID_CANCEL);
    PressKey(WXK_ESCAPE);
    EXPECT_TRUE(test::PumpUntil([&] { return script.AllMet(); }));
  }
  EXPECT_TRUE(sheet->IsShown());
  test::DialogScript script;
  script.ExpectMessage(kUnsavedPrompt, wxID_NO);
  PressKey(WXK_ESCAPE);
  EXPECT_TRUE(test::PumpUntil([&] { return !sheet->IsShown(); }));
  EXPECT_EQ(sheet->GetReturnCode(), wxID_CANCEL);
}

TEST_F(SheetKeyboardTest, RightClickOffersTheVersionBox) {
  test::DialogScript script;
  wxString title;
  wxString texts;
  script.ExpectDialog("version box", [&](wxDialog& box) {
    title = box.GetTitle();
    for (wxWindow* child : box.GetChildren())
      if (dynamic_cast<wxStaticText*>(child)) texts += child->GetLabel() + wxS("\n");
    return static_cast<int>(wxID_OK);
  });
  // The menu runs its own loop; once it is open, the keyboard picks the
  // first entry.  (A timer instead could fire before a slow machine has
  // opened the menu, and its Enter would press 開く.)
  sheet->Bind(wxEVT_MENU_OPEN, [](wxMenuEvent& event) {
    wxUIActionSimulator input;
    input.Char(WXK_DOWN);
    input.Char(WXK_RETURN);
    event.Skip();
  });
  wxUIActionSimulator input;
  const wxRect area = sheet->button(CVRXSheet::kOpenId)->GetScreenRect();
  input.MouseMove(area.GetLeftTop() - wxPoint(40, 0));
  test::PumpPending();
  input.MouseClick(wxMOUSE_BTN_RIGHT);
  EXPECT_TRUE(test::PumpUntil([&] { return script.AllMet(); }));
  EXPECT_EQ(title, wxString::FromUTF8("VRXEditorのﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_TRUE(texts.Contains(wxS("VRXEditor Version 1.0"))) << texts.utf8_string();
}

}  // namespace
}  // namespace vrx::editor
