// The table of several ports: what each port's row says as its session goes
// on, and that the rows line up whatever the port names and the states'
// scripts.
#include "tools/vrxtool/gang_board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/gang_texts.h"
#include "resources/message_table.h"
#include "resources/port_messages.h"
#include "resources/readback_texts.h"
#include "tools/vrxtool/console_output.h"

namespace vrxtool {
namespace {

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

ModuleOutcome Outcome(bool passed, int message = 0, std::string boxText = {},
                      bool interrupted = false) {
  ModuleOutcome outcome;
  outcome.passed = passed;
  outcome.message = message;
  outcome.boxText = std::move(boxText);
  outcome.interrupted = interrupted;
  return outcome;
}

// Rows without the table drawn (its plain lines go to stderr).
class GangBoardRows : public ::testing::Test {
 protected:
  GangBoard board_{{"COM1", "/dev/ttyUSB10"}, /*json=*/false, /*repeat=*/true, /*table=*/false};
};

TEST_F(GangBoardRows, ARowFollowsItsPortsWriteAndCount) {
  std::unique_ptr<ModuleView> module = board_.port(0).BeginModule();
  module->progress().StepStarted({vrx::DeviceStep::kConnect, -1, 0});
  EXPECT_TRUE(Contains(board_.Row(0), vrx::gang_text::Connecting())) << board_.Row(0);

  const vrx::StepInfo write{vrx::DeviceStep::kWrite, 4, 28672};
  module->progress().StepStarted(write);
  module->progress().BytesDone(write, 14336);
  const std::string writing = board_.Row(0);
  EXPECT_TRUE(Contains(writing, vrx::gang_text::Writing(4))) << writing;
  EXPECT_TRUE(Contains(writing, "14.0/28.0 KB")) << writing;

  module->Finished(Outcome(true));
  board_.port(0).Counted(1, 0);
  const std::string done = board_.Row(0);
  EXPECT_TRUE(Contains(done, vrx::gang_text::Done())) << done;
  EXPECT_FALSE(Contains(done, "KB")) << "the finished Write's bar stays: " << done;
  EXPECT_TRUE(done.ends_with(vrx::readback_text::RunningCount(1, 0))) << done;

  // The other port has not started: its row names the port alone.
  EXPECT_EQ(board_.Row(1), "/dev/ttyUSB10");
}

TEST_F(GangBoardRows, AFailedWriteShowsWhatEndedIt) {
  struct Case {
    const char* what;
    ModuleOutcome outcome;
    std::string lastLogLine;
    std::string shown;
  } cases[] = {
      {"a writer message", Outcome(false, vrx::writer_msg::kPortOpenFailed), "",
       std::string(vrx::WriterMessage(vrx::writer_msg::kPortOpenFailed))},
      {"the container's message box", Outcome(false, 0, "payload broken"), "", "payload broken"},
      {"Ctrl-C", Outcome(false, 0, {}, true), "", std::string(vrx::port_msg::Interrupted())},
      {"a verify mismatch: its log line", Outcome(false), "mismatch in 3 bytes\r\n",
       "mismatch in 3 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<ModuleView> module = board_.port(1).BeginModule();
    module->progress().StepStarted({vrx::DeviceStep::kConnect, -1, 0});
    if (!c.lastLogLine.empty()) module->log().AppendLog(c.lastLogLine);
    module->Finished(c.outcome);
    EXPECT_TRUE(Contains(board_.Row(1), c.shown)) << board_.Row(1);
    EXPECT_FALSE(Contains(board_.Row(1), vrx::gang_text::Connecting())) << board_.Row(1);
  }
}

TEST_F(GangBoardRows, StatesAndCountsStartInOneColumnOnEveryRow) {
  // Half- and full-width texts of different lengths in both columns.
  board_.port(0).Waiting();
  board_.port(0).Counted(12, 3);
  std::unique_ptr<ModuleView> module = board_.port(1).BeginModule();
  module->progress().StepStarted({vrx::DeviceStep::kErase, 4, 0});
  board_.port(1).Counted(2, 0);
  const std::vector<std::string> rows{board_.Row(0), board_.Row(1)};
  std::vector<int> stateColumns;
  std::vector<int> countColumns;
  for (const std::string& row : rows) {
    const std::size_t passed = row.find("passed");
    ASSERT_NE(passed, std::string::npos) << row;
    countColumns.push_back(DisplayWidth(row.substr(0, passed)));
    const std::size_t state = row.find_first_not_of(' ', row.find(' '));
    stateColumns.push_back(DisplayWidth(row.substr(0, state)));
  }
  EXPECT_EQ(stateColumns[0], stateColumns[1]) << rows[0] << "\n" << rows[1];
  EXPECT_EQ(countColumns[0], countColumns[1]) << rows[0] << "\n" << rows[1];
}

}  // namespace
}  // namespace vrxtool
