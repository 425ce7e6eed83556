// Capture with real key events injected into the X server (xdotool): what a
// user's keyboard does reaches the page, and nothing else sees the keys.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <cstdlib>
#include <string>

#include "config/config_image.h"
#include "editor/gui/key_matrix.h"
#include "editor/gui/key_test_dialog.h"
#include "tests/editor/gui/key_map_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/gui/event_pump.h"

namespace vrx::editor::test {
namespace {

using vrx::test::PumpPending;
using vrx::test::PumpUntil;

class KeyInjectionTest : public KeyMapPageTest {
 protected:
  KeyInjectionTest() {
    // OK as the default button and Cancel for Esc, so that a key the dialog
    // saw would show.
    const wxSize page = page_->GetSize();
    okButton_ = new wxButton(dialog_, wxID_OK, wxS("OK"), wxPoint(4, page.y + 4));
    new wxButton(dialog_, wxID_CANCEL, wxS("Cancel"), wxPoint(120, page.y + 4));
    dialog_->SetClientSize(page.x, page.y + okButton_->GetSize().y + 8);
    okButton_->SetDefault();
    okButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ++okClicks_; });
    dialog_->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
      if (event.GetId() == wxID_CANCEL) ++cancels_;
      event.Skip();
    });
    PumpUntil([this] { return dialog_->IsShownOnScreen(); });
  }

  // Gives the dialog the X keyboard focus and types `keys` (xdotool names).
  void Press(const std::string& keys) {
    const std::string command = "xdotool search --sync --onlyvisible --name '^" +
                                TitleOfCurrentTest() + "$' windowfocus --sync key --delay 40 " +
                                keys;
    ASSERT_EQ(::vrx::test::RunShell(command), 0) << command;
  }

  // Real clicks, at the window's place on the screen.
  void Click(wxWindow* window, wxPoint at) {
    const wxPoint screen = window->ClientToScreen(at);
    // No --sync: it waits for a move that never comes when the pointer is
    // already there.  The server handles the move before the click anyway.
    const std::string command = "xdotool mousemove " + std::to_string(screen.x) + " " +
                                std::to_string(screen.y) + " click 1";
    ASSERT_EQ(::vrx::test::RunShell(command), 0) << command;
    PumpPending();
  }
  void Click(wxWindow* window) {
    const wxSize size = window->GetSize();
    Click(window, wxPoint(size.x / 2, size.y / 2));
  }
  void ClickKeyButton(int key) {
    const wxRect button = page_->keyMatrix()->KeyButtonRect(key);
    Click(page_->keyMatrix(), button.GetPosition() + wxSize(button.GetSize() / 2));
  }

  // Forgets the selected key's codes, presses `keys` and waits for the
  // capture of the last one.
  void ExpectCaptured(const std::string& keys, const std::string& make, const std::string& brk) {
    SCOPED_TRACE(keys);
    const auto index = static_cast<size_t>(page_->selectedKey());
    config_.keys[index] = {true, "", ""};
    page_->ShowSelectedKey();
    Press(keys);
    EXPECT_TRUE(PumpUntil([&] { return Text(page_->makeBox()) == make; }))
        << "Make shows " << Text(page_->makeBox());
    PumpUntil([] { return false; }, std::chrono::milliseconds(100));  // anything late
    EXPECT_EQ(Text(page_->makeBox()), make);
    EXPECT_EQ(Text(page_->breakBox()), brk);
    EXPECT_EQ(config_.keys[index].makeCode, make);
    EXPECT_EQ(config_.keys[index].breakCode, brk);
  }

  void ExpectDialogUntouched() {
    EXPECT_TRUE(dialog_->IsShown());
    EXPECT_EQ(okClicks_, 0);
    EXPECT_EQ(cancels_, 0);
  }

  wxButton* okButton_ = nullptr;
  int okClicks_ = 0;
  int cancels_ = 0;
};

TEST_F(KeyInjectionTest, WithoutCaptureTheKeysKeepTheirMeaning) {
  // The baseline that makes the other tests mean something: the same keys
  // do move the focus, type and reach the dialog's buttons when capture is
  // off.
  page_->makeBox()->SetFocus();
  PumpPending();
  Press("Tab");
  EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == page_->breakBox(); }));
  Press("a");
  EXPECT_TRUE(PumpUntil([&] { return Text(page_->breakBox()) == "a"; }));
  Press("Return");
  EXPECT_TRUE(PumpUntil([&] { return okClicks_ == 1; }));
  Press("Escape");
  EXPECT_TRUE(PumpUntil([&] { return cancels_ == 1; }));
}

TEST_F(KeyInjectionTest, CaptureFromTheButtonTakesEveryKeyAndKeepsTheFocus) {
  Click(page_->captureButton());
  ASSERT_TRUE(PumpUntil([&] { return page_->captureOn(); }));
  ASSERT_EQ(wxWindow::FindFocus(), page_->captureButton());

  ExpectCaptured("a", "1C", "F0,1C");
  EXPECT_TRUE(page_->typematicBox()->GetValue());
  ExpectCaptured("Up", "E0,75", "E0,F0,75");
  ExpectCaptured("Pause", "E1,14,77,E1,F0,14,F0,77", "");
  EXPECT_FALSE(page_->typematicBox()->GetValue());
  ExpectCaptured("Tab", "0D", "F0,0D");
  ExpectCaptured("Return", "5A", "F0,5A");
  ExpectCaptured("Escape", "76", "F0,76");
  ExpectCaptured("space", "29", "F0,29");  // would release the toggle
  ExpectCaptured("alt+f", "2B", "F0,2B");
  ExpectCaptured("shift+1", "16", "F0,16");
  ExpectCaptured("KP_Divide", "E0,4A", "E0,F0,4A");
  ExpectCaptured("KP_Enter", "5A", "F0,5A");
  ExpectCaptured("Print", "E0,12,E0,7C", "E0,F0,7C,E0,F0,12");
  ExpectCaptured("Henkan_Mode", "67", "F0,67");

  EXPECT_EQ(wxWindow::FindFocus(), page_->captureButton());
  EXPECT_TRUE(page_->captureOn());
  EXPECT_TRUE(page_->captureButton()->GetValue());
  ExpectDialogUntouched();
}

TEST_F(KeyInjectionTest, NumpadKeysFollowNumLock) {
  Click(page_->captureButton());
  ASSERT_TRUE(PumpUntil([&] { return page_->captureOn(); }));
  // xdotool switches NumLock on for KP_1; the NumLock key-down is captured
  // too, and the numpad key after it decides the result.
  ExpectCaptured("KP_1", "69", "F0,69");
  ExpectCaptured("Num_Lock KP_End", "E0,69", "E0,F0,69");
  ExpectDialogUntouched();
}

TEST_F(KeyInjectionTest, CaptureInTheBoxesAndTheMatrixChangesNothingElse) {
  ClickKeyButton(18);
  ASSERT_TRUE(PumpUntil([&] { return page_->selectedKey() == 18; }));
  Click(page_->captureButton());
  ASSERT_TRUE(PumpUntil([&] { return page_->captureOn(); }));

  // In the Make box a letter is no text and Tab no move.
  Click(page_->makeBox());
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == page_->makeBox(); }));
  ExpectCaptured("z", "1A", "F0,1A");
  ExpectCaptured("Tab", "0D", "F0,0D");
  EXPECT_EQ(wxWindow::FindFocus(), page_->makeBox());

  // In the matrix the arrows do not move the selection.
  ClickKeyButton(19);
  ASSERT_TRUE(PumpUntil([&] { return page_->selectedKey() == 19; }));
  ExpectCaptured("Right", "E0,74", "E0,F0,74");
  ExpectCaptured("Down", "E0,72", "E0,F0,72");
  EXPECT_EQ(page_->selectedKey(), 19);
  EXPECT_EQ(page_->keyMatrix()->selection(), 19);
  EXPECT_EQ(wxWindow::FindFocus(), page_->keyMatrix());

  // Only the mouse ends capture; then keys act again.
  Click(page_->captureButton());
  ASSERT_TRUE(PumpUntil([&] { return !page_->captureOn(); }));
  page_->keyMatrix()->SetFocus();
  Press("Right");
  EXPECT_TRUE(PumpUntil([&] { return page_->selectedKey() == 20; }));
  ExpectDialogUntouched();
}

TEST_F(KeyInjectionTest, IgnoredKeysChangeNothingAndAreConsumed) {
  page_->makeBox()->SetFocus();
  Click(page_->captureButton());
  ASSERT_TRUE(PumpUntil([&] { return page_->captureOn(); }));
  Click(page_->makeBox());
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == page_->makeBox(); }));
  ExpectCaptured("b", "32", "F0,32");
  Press("Caps_Lock Caps_Lock F13");
  PumpUntil([] { return false; }, std::chrono::milliseconds(300));
  EXPECT_EQ(Text(page_->makeBox()), "32");
  EXPECT_EQ(config_.keys[0].makeCode, "32");
}

TEST_F(KeyInjectionTest, ASequenceTakesRealKeysOneMatrixKeyAfterAnotherUntilEsc) {
  ClickKeyButton(4);
  ASSERT_TRUE(PumpUntil([&] { return page_->selectedKey() == 4; }));
  Click(page_->sequenceBox());
  ASSERT_TRUE(PumpUntil([&] { return page_->sequenceOn(); }));
  ASSERT_TRUE(page_->captureOn());

  Press("a Tab Up");
  ASSERT_TRUE(PumpUntil([&] { return config_.keys[6].makeCode == "E0,75"; }));
  EXPECT_EQ(config_.keys[4].makeCode, "1C");
  EXPECT_EQ(config_.keys[5].makeCode, "0D");  // Tab is a key, not a focus move
  EXPECT_EQ(page_->selectedKey(), 7);
  EXPECT_EQ(page_->keyMatrix()->selection(), 7);

  // Esc ends the sequence and its capture, and reaches nothing else.
  Press("Escape");
  ASSERT_TRUE(PumpUntil([&] { return !page_->sequenceOn(); }));
  EXPECT_FALSE(page_->captureOn());
  EXPECT_FALSE(page_->captureButton()->GetValue());
  EXPECT_TRUE(config_.keys[7].makeCode.empty());
  ExpectDialogUntouched();

  // A click elsewhere ends one too, and selects what it clicked.
  Click(page_->sequenceBox());
  ASSERT_TRUE(PumpUntil([&] { return page_->sequenceOn(); }));
  ClickKeyButton(30);
  ASSERT_TRUE(PumpUntil([&] { return !page_->sequenceOn(); }));
  EXPECT_TRUE(PumpUntil([&] { return page_->selectedKey() == 30; }));
  EXPECT_FALSE(page_->captureOn());
}

TEST_F(KeyInjectionTest, TheKeyTestHearsRealKeysAndChangesNoCode) {
  config_.keys[0] = {true, "1C", "F0,1C"};
  page_->ShowSelectedKey();
  const ConfigImage before = config_;
  page_->StartKeyTest();
  ASSERT_NE(page_->keyTest(), nullptr);
  // Keys typed on the page are keys under test as well as those in the
  // test's own window.
  page_->makeBox()->SetFocus();
  Press("a b");
  ASSERT_TRUE(PumpUntil([&] { return page_->keyTest()->session().events().size() == 2; }));
  EXPECT_TRUE(page_->keyTest()->session().WasPressed(0));
  EXPECT_EQ(Text(page_->makeBox()), "1C");  // nothing typed into the box
  Press("Escape");
  ASSERT_TRUE(PumpUntil([&] { return page_->keyTest() == nullptr; }));
  EXPECT_EQ(config_.keys, before.keys);
  ExpectDialogUntouched();
}

}  // namespace
}  // namespace vrx::editor::test
