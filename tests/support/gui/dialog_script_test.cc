// The dialog script itself: expected dialogs are answered without showing
// them, and anything unexpected fails the test instead of blocking it.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include "tests/support/gui/dialog_script.h"
#include "tests/support/gui/event_pump.h"

namespace vrx::test {
namespace {

int ShowBox(const char* text, long style = wxOK) {
  wxMessageDialog box(nullptr, wxString::FromUTF8(text), wxS("caption"), style);
  return box.ShowModal();
}

TEST(DialogScript, AnswersMessageBoxesInOrder) {
  DialogScript script;
  script.ExpectMessage("保存しますか？", wxID_NO).ExpectMessage("second", wxID_CANCEL);
  EXPECT_EQ(ShowBox("保存しますか？", wxYES_NO | wxCANCEL), wxID_NO);
  EXPECT_EQ(ShowBox("second", wxOK | wxCANCEL), wxID_CANCEL);
  EXPECT_TRUE(script.AllMet());
  ASSERT_EQ(script.messages().size(), 2u);
  EXPECT_EQ(script.messages()[0].caption, "caption");
  EXPECT_NE(script.messages()[0].style & wxYES_NO, 0);
}

void UnexpectedBoxWithoutScript() { ShowBox("nobody expects this"); }
void UnexpectedBoxInScript() {
  DialogScript script;
  ShowBox("not in the script");
}
void WrongText() {
  DialogScript script;
  script.ExpectMessage("expected text");
  ShowBox("other text");
}
void WrongKind() {
  DialogScript script;
  script.ExpectFileDialog("/tmp/x.vrx");
  ShowBox("a box, not a file dialog");
}
void NeverShown() {
  DialogScript script;
  script.ExpectMessage("never shown");
}

TEST(DialogScript, AnythingUnexpectedFailsTheTestWithoutBlocking) {
  EXPECT_NONFATAL_FAILURE(UnexpectedBoxWithoutScript(), "nobody expects this");
  EXPECT_NONFATAL_FAILURE(UnexpectedBoxInScript(), "unexpected message box");
  EXPECT_NONFATAL_FAILURE(WrongText(), "other text");
  EXPECT_NONFATAL_FAILURE(WrongKind(), "expected file dialog");
  EXPECT_NONFATAL_FAILURE(NeverShown(), "never appeared");
}

void ErrorLogged() {
  wxLogError(wxS("disk on fire"));
  PumpPending();
  wxLog::FlushActive();
}

TEST(DialogScript, LoggedErrorsFailInsteadOfPoppingUp) {
  EXPECT_NONFATAL_FAILURE(ErrorLogged(), "disk on fire");
}

TEST(DialogScript, FileDialogGetsThePathOrIsCancelled) {
  DialogScript script;
  script.ExpectFileDialog("/tmp/chosen.vrx").ExpectFileDialogCancelled();
  wxFileDialog first(nullptr, wxEmptyString, wxS("/tmp"), wxS("start.vrx"), wxS("*.vrx"));
  EXPECT_EQ(first.ShowModal(), wxID_OK);
  wxFileDialog second(nullptr, wxEmptyString, wxEmptyString, wxEmptyString, wxS("*.vrx"));
  EXPECT_EQ(second.ShowModal(), wxID_CANCEL);
  ASSERT_EQ(script.fileDialogs().size(), 2u);
  EXPECT_EQ(script.fileDialogs()[0].initialName, "start.vrx");
  EXPECT_EQ(script.fileDialogs()[0].wildcard, "*.vrx");
}

}  // namespace
}  // namespace vrx::test
