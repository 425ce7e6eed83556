#include "tests/support/gui/dialog_script.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <utility>

#include "tests/support/gui/event_pump.h"

namespace vrx::test {
namespace {

DialogScript* activeScript = nullptr;

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

class RoutingHook : public wxModalDialogHook {
 protected:
  int Enter(wxDialog* dialog) override {
    if (activeScript) return activeScript->Answer(*dialog);
    ADD_FAILURE() << "modal dialog with no DialogScript: " << DescribeDialog(*dialog);
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};

RoutingHook* hook = nullptr;

}  // namespace

std::string DescribeDialog(wxDialog& dialog) {
  if (auto* box = dynamic_cast<wxMessageDialogBase*>(&dialog))
    return "message box \"" + Utf8(box->GetMessage()) + "\"";
  if (dynamic_cast<wxFileDialogBase*>(&dialog)) return "file dialog";
  return "dialog \"" + Utf8(dialog.GetTitle()) + "\"";
}

DialogScript::DialogScript() : previous_(activeScript) { activeScript = this; }

DialogScript::~DialogScript() {
  activeScript = previous_;
  for (const auto& missing : expected_)
    ADD_FAILURE() << "expected dialog never appeared: " << missing.description;
}

DialogScript& DialogScript::ExpectMessage(std::string text, int answer) {
  expected_.push_back(MessageExpectation(std::move(text), answer));
  return *this;
}

DialogScript& DialogScript::ExpectFileDialog(std::string chosenPath) {
  expected_.push_back(FileExpectation(std::move(chosenPath), false));
  return *this;
}

DialogScript& DialogScript::ExpectFileDialogCancelled() {
  expected_.push_back(FileExpectation({}, true));
  return *this;
}

DialogScript& DialogScript::ExpectDialog(std::string description,
                                         std::function<int(wxDialog&)> answer) {
  expected_.push_back({std::move(description), std::move(answer)});
  return *this;
}

DialogScript::Expectation DialogScript::MessageExpectation(std::string text, int answer) {
  std::string description = "message box \"" + text + "\"";
  return {std::move(description), [this, text, answer](wxDialog& dialog) {
            auto* box = dynamic_cast<wxMessageDialogBase*>(&dialog);
            if (!box) return static_cast<int>(wxID_NONE);
            messages_.push_back(
                {Utf8(box->GetCaption()), Utf8(box->GetMessage()), box->GetMessageDialogStyle()});
            EXPECT_EQ(messages_.back().text, text);
            return answer;
          }};
}

DialogScript::Expectation DialogScript::FileExpectation(std::string path, bool cancel) {
  std::string description = cancel ? "file dialog (cancelled)" : "file dialog -> " + path;
  return {std::move(description), [this, path, cancel](wxDialog& dialog) {
            auto* files = dynamic_cast<wxFileDialogBase*>(&dialog);
            if (!files) return static_cast<int>(wxID_NONE);
            fileDialogs_.push_back({Utf8(files->GetMessage()), Utf8(files->GetWildcard()),
                                    Utf8(files->GetDirectory()), Utf8(files->GetFilename()),
                                    files->GetWindowStyle()});
            if (cancel) return static_cast<int>(wxID_CANCEL);
            files->SetPath(wxString::FromUTF8(path));
            // GTK's chooser takes the path over asynchronously; until then
            // GetPath() is empty.
            PumpUntil([files] { return !files->GetPath().empty(); }, std::chrono::seconds(2));
            return static_cast<int>(wxID_OK);
          }};
}

int DialogScript::Answer(wxDialog& dialog) {
  if (expected_.empty()) {
    ADD_FAILURE() << "unexpected " << DescribeDialog(dialog);
    return wxID_CANCEL;
  }
  Expectation next = std::move(expected_.front());
  expected_.pop_front();
  const int result = next.answer(dialog);
  if (result != wxID_NONE) return result;
  ADD_FAILURE() << "expected " << next.description << " but got " << DescribeDialog(dialog);
  return wxID_CANCEL;
}

void InstallDialogHook() {
  if (hook) return;
  hook = new RoutingHook;
  hook->Register();
}

void RemoveDialogHook() {
  if (!hook) return;
  hook->Unregister();
  delete hook;
  hook = nullptr;
}

}  // namespace vrx::test
