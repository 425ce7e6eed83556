// main() of every GUI test: starts wx once for the whole process, routes
// modal dialogs to the tests' scripts and turns wx assertions into test
// failures.  Listing the tests (as CMake does at build time) needs no display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

#include "tests/support/gui/dialog_script.h"

namespace {

void FailOnWxAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                    const wxString& msg) {
  ADD_FAILURE_AT(file.utf8_str().data(), line)
      << "wx assertion in " << func.utf8_str().data() << ": " << cond.utf8_str().data() << " "
      << msg.utf8_str().data();
}

// wx reports errors in a message box at the next idle time; in a test that
// box is a failure, shown as text instead.
class FailOnLoggedError : public wxLog {
 protected:
  void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override {
    if (level <= wxLOG_Error)
      ADD_FAILURE() << "wx would show an error box: " << text.utf8_str().data();
    else if (level <= wxLOG_Message)
      std::fprintf(stderr, "wx: %s\n", text.utf8_str().data());
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleMock(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fputs("GUI tests need an X display (run them under xvfb-run -a)\n", stderr);
    return 1;
  }
  wxSetAssertHandler(FailOnWxAssert);
  delete wxLog::SetActiveTarget(new FailOnLoggedError);
  vrx::test::InstallDialogHook();
  const int result = RUN_ALL_TESTS();
  vrx::test::RemoveDialogHook();
  wxEntryCleanup();
  return result;
}
