// Answers the modal dialogs a GUI test expects, in order, without showing
// them.  Any dialog that was not expected fails the test and is dismissed
// with wxID_CANCEL, so a test never hangs on a box nobody will close.
#pragma once

#include <wx/string.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class wxDialog;

namespace vrx::test {

// What a message box looked like when it was answered.
struct SeenMessage {
  std::string caption;
  std::string text;
  long style = 0;
};

// What a file dialog was opened with.
struct SeenFileDialog {
  std::string title;
  std::string wildcard;
  std::string initialDirectory;
  std::string initialName;
  long style = 0;
};

class DialogScript {
 public:
  DialogScript();   // becomes the active script
  ~DialogScript();  // fails the test for expectations never met

  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // A message box with exactly this UTF-8 text, answered with `answer`
  // (wxID_OK, wxID_YES, wxID_NO or wxID_CANCEL).
  DialogScript& ExpectMessage(std::string text, int answer = wxID_OK);
  // A file dialog, answered with OK and this path.
  DialogScript& ExpectFileDialog(std::string chosenPath);
  // A file dialog the user cancels.
  DialogScript& ExpectFileDialogCancelled();
  // Any other dialog; `answer` may inspect it and returns the modal result.
  DialogScript& ExpectDialog(std::string description, std::function<int(wxDialog&)> answer);

  bool AllMet() const { return expected_.empty(); }
  const std::vector<SeenMessage>& messages() const { return messages_; }
  const std::vector<SeenFileDialog>& fileDialogs() const { return fileDialogs_; }

  // Called by the process-wide hook; returns the modal result.
  int Answer(wxDialog& dialog);

 private:
  struct Expectation {
    std::string description;
    std::function<int(wxDialog&)> answer;  // empty: not the expected kind
  };

  Expectation MessageExpectation(std::string text, int answer);
  Expectation FileExpectation(std::string path, bool cancel);

  std::deque<Expectation> expected_;
  std::vector<SeenMessage> messages_;
  std::vector<SeenFileDialog> fileDialogs_;
  DialogScript* previous_;
};

// Installs the hook that routes every modal dialog to the active script (or
// fails the test when there is none).  Done once by the GUI test main.
void InstallDialogHook();
void RemoveDialogHook();

// Describes a dialog for failure messages ("wxMessageDialog: <text>").
std::string DescribeDialog(wxDialog& dialog);

}  // namespace vrx::test
