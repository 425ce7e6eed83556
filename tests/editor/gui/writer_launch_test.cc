// 書込み's start of the writer.  This test program is itself named
// "VRXEditor" and has a stand-in "VRXWriter" beside it that records how it
// was started.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/button.h>
#include <wx/frame.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "editor/gui/vrx_sheet.h"
#include "editor/gui/writer_launch.h"
#include "platform/module_path.h"
#include "platform/program_profile.h"
#include "resources/message_table.h"
#include "tests/editor/gui/cgram_test_fixture.h"
#include "tests/support/gui/dialog_script.h"

namespace vrx::test {
namespace {

class StartWriterTest : public CgramPageTest {
 protected:
  void SetUp() override {
    CgramPageTest::SetUp();
    record_ = folder_.path() / "standin.txt";
    setenv("VRX_STANDIN_RECORD", record_.c_str(), 1);
    frame_ = new wxFrame(nullptr, wxID_ANY, wxS("editor"));
  }
  void TearDown() override {
    unsetenv("VRX_STANDIN_RECORD");
    unsetenv("VRX_STANDIN_GATE");
    CgramPageTest::TearDown();
  }

  // What the stand-in recorded, once it has finished.
  std::vector<std::string> Recorded() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!std::filesystem::exists(record_) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<std::string> lines;
    std::ifstream in(record_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::filesystem::path record_;
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(StartWriterTest, TheEditorNeitherWaitsNorLeavesAZombieNorLeaksFiles) {
  // A file the editor holds open must not reach the writer.
  const int held = open(record_.parent_path().c_str(), O_RDONLY);  // no O_CLOEXEC
  ASSERT_GE(held, 3);
  const auto gate = folder_.path() / "gate";
  setenv("VRX_STANDIN_GATE", gate.c_str(), 1);

  DialogScript noBoxes;
  editor::StartWriter(frame_, "x.vrx");
  // The stand-in is still waiting for the gate: StartWriter came back first.
  std::ofstream(gate).put('1');
  const auto lines = Recorded();
  close(held);
  EXPECT_TRUE(Has(lines, "gate seen"));
  EXPECT_TRUE(Has(lines, "fds 0 1 2")) << (lines.size() > 2 ? lines[2] : "");
  // Nothing of ours is left to reap.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(StartWriterTest, AMissingWriterIsReported) {
  DialogScript boxes;
  boxes.ExpectMessage(std::string(editor_msg::WriterStartFailed()));
  editor::StartWriterFrom(frame_, folder_.path() / "VRXEditor", "k.vrx");
  EXPECT_TRUE(boxes.AllMet());
  ASSERT_EQ(boxes.messages().size(), 1u);
  EXPECT_EQ(boxes.messages()[0].text, "「VRXWriter.exe」が起動できませんでした。");
  EXPECT_EQ(boxes.messages()[0].caption, "VRXEditor");
}

// 書込み on the whole sheet, with the sheet's own prompt and save.
class SheetWriteTest : public StartWriterTest {
 protected:
  void SetUp() override {
    StartWriterTest::SetUp();
    profile_ = OpenProgramProfile("VRXEditor", {});
    sheet_ = new editor::CVRXSheet(*profile_, frame_);
  }
  void ClickWrite() {
    wxButton* write = sheet_->button(editor::CVRXSheet::kWriteId);
    wxCommandEvent click(wxEVT_BUTTON, write->GetId());
    click.SetEventObject(write);
    write->GetEventHandler()->ProcessEvent(click);
  }
  std::unique_ptr<ProfileStore> profile_;
  editor::CVRXSheet* sheet_ = nullptr;  // destroyed with the frame
};

TEST_F(SheetWriteTest, WithEverythingSavedTheWriterStartsAtOnceOnTheSavedFile) {
  const std::string saved = (folder_.path() / "desk layout.vrx").string();
  {
    DialogScript save;
    save.ExpectFileDialog(saved);
    EXPECT_TRUE(sheet_->OnSave()) << sheet_->currentPath();
  }
  ASSERT_TRUE(std::filesystem::exists(saved));
  DialogScript noPrompt;
  ClickWrite();
  const auto lines = Recorded();
  ASSERT_EQ(lines.size(), 3u) << "the writer did not start";
  EXPECT_EQ(lines[0], "self " + (OwnExecutablePath().parent_path() / "VRXWriter").string());
  EXPECT_EQ(lines[1], "arg " + saved);  // one argument, blanks and all
}

TEST_F(SheetWriteTest, AnUnsavedSheetWhoseSaveIsCancelledStartsTheWriterWithNoFile) {
  DialogScript boxes;
  boxes
      .ExpectMessage("書き込みを行うには、ファイルに保存する必要があります。保存しますか？",
                     wxID_OK)
      .ExpectFileDialogCancelled();
  ClickWrite();
  const auto lines = Recorded();
  ASSERT_EQ(lines.size(), 3u) << "the writer did not start";
  EXPECT_EQ(lines[1], "arg ");  // one empty argument
}

}  // namespace
}  // namespace vrx::test
