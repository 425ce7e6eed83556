#include "tools/vrxtool/gang_board.h"

#include <algorithm>
#include <cstdio>

#include "device/time_left.h"
#include "resources/gang_texts.h"
#include "resources/message_table.h"
#include "resources/port_messages.h"
#include "resources/readback_texts.h"
#include "tools/vrxtool/console_output.h"
#include "tools/vrxtool/json_events.h"
#include "tools/vrxtool/terminal.h"

namespace vrxtool {
namespace {

using Clock = std::chrono::steady_clock;
// Progress alone redraws the table at most this often; changes of state at
// once.
constexpr auto kRedrawPause = std::chrono::milliseconds(100);

std::string PadTo(std::string text, int columns) {
  const int width = DisplayWidth(text);
  if (width < columns) text.append(static_cast<std::size_t>(columns - width), ' ');
  return text;
}

// Drops a whole UTF-8 character, never part of one.
void DropLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

// Wide enough for every state but a failure's text, in the program's
// language, so that progress and counts line up on the rows that have them.
int StateColumns() {
  int columns = 0;
  for (const std::string& state :
       {std::string(vrx::gang_text::Connecting()), vrx::gang_text::Erasing(4),
        vrx::gang_text::Writing(4), std::string(vrx::gang_text::Reading()),
        std::string(vrx::gang_text::Done()), std::string(vrx::readback_text::WaitingForModule()),
        std::string(vrx::port_msg::Interrupted())})
    columns = std::max(columns, DisplayWidth(state));
  return columns;
}

void WriteWhole(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace

// One port: what its row shows.  Changed only under the board's mutex.
class GangBoard::Lane final : public PortView {
 public:
  Lane(GangBoard& board, std::string port) : board_(board), port_(std::move(port)) {}

  std::unique_ptr<ModuleView> BeginModule() override;
  void Note(std::string_view text) override { board_.NoteLine(port_, text); }
  void Waiting() override {
    std::lock_guard lock(board_.mutex_);
    state_ = std::string(vrx::readback_text::WaitingForModule());
    progress_.clear();
    board_.Changed(Change::kState, *this);
  }
  void Counted(int passed, int failed) override {
    std::lock_guard lock(board_.mutex_);
    counts_ = vrx::readback_text::RunningCount(passed, failed);
    board_.Changed(Change::kCounts, *this);
  }

  GangBoard& board_;
  const std::string port_;
  std::string state_;
  std::string progress_;
  std::string counts_;
};

// One module's Write on a lane.
class GangBoard::LaneModule final : public ModuleView,
                                    public vrx::WriteLog,
                                    public vrx::DeviceProgress,
                                    public vrx::MessageBoxSink {
 public:
  explicit LaneModule(Lane& lane) : lane_(lane), board_(lane.board_) {
    if (board_.json_) json_ = std::make_unique<JsonEvents>(lane.port_);
  }

  vrx::WriteLog& log() override { return *this; }
  vrx::DeviceProgress& progress() override { return *this; }
  vrx::MessageBoxSink& boxes() override { return *this; }
  int LastMessage() const override { return lastMessage_; }

  void Finished(const ModuleOutcome& outcome) override {
    if (!line_.empty()) EndLine();
    if (json_) json_->Result(outcome.passed);
    // A failure without a message of its own (a verify mismatch) is told by
    // the log's last line.
    std::string state(vrx::gang_text::Done());
    if (outcome.interrupted)
      state = vrx::port_msg::Interrupted();
    else if (outcome.message != 0)
      state = vrx::WriterMessage(outcome.message);
    else if (!outcome.boxText.empty())
      state = outcome.boxText;
    else if (!outcome.passed)
      state = lastLine_;
    SetState(state);
  }

  void AppendLog(std::string_view text) override {
    if (json_) return json_->AppendLog(text);
    for (char c : text) {
      if (c == '\r') continue;
      if (c != '\n') {
        line_ += c;
        continue;
      }
      EndLine();
    }
  }
  void AppendLogMessage(int id) override {
    lastMessage_ = id;
    if (json_) return json_->AppendLogMessage(id);
    WriteLog::AppendLogMessage(id);
  }

  void ShowMessage(std::string_view text) override {
    if (json_) PrintEvent("message", {{"port", lane_.port_}, {"text", text}});
    lane_.Note(text);
  }

  void StepStarted(const vrx::StepInfo& info) override {
    if (json_) json_->StepStarted(info);
    estimate_.Begin(info.total, Clock::now());
    switch (info.step) {
      case vrx::DeviceStep::kConnect:
        return SetState(std::string(vrx::gang_text::Connecting()));
      case vrx::DeviceStep::kErase:
        return SetState(vrx::gang_text::Erasing(info.block));
      case vrx::DeviceStep::kWrite:
        return SetState(vrx::gang_text::Writing(info.block));
      case vrx::DeviceStep::kReadBack:
      case vrx::DeviceStep::kRead:
        return SetState(std::string(vrx::gang_text::Reading()));
      case vrx::DeviceStep::kExit:
        return;
    }
  }
  void BytesDone(const vrx::StepInfo& info, std::size_t done) override {
    if (json_) json_->BytesDone(info, done);
    if (info.total == 0) return;
    estimate_.Update(done, Clock::now());
    std::lock_guard lock(board_.mutex_);
    lane_.progress_ = FormatProgress(estimate_, 60);
    board_.Changed(Change::kProgress, lane_);
  }
  void StepEnded(const vrx::StepInfo& info, bool succeeded) override {
    if (json_) json_->StepEnded(info, succeeded);
  }

 private:
  void EndLine() {
    board_.LogLine(lane_.port_, line_);
    lastLine_ = std::move(line_);
    line_.clear();
  }
  void SetState(std::string state) {
    std::lock_guard lock(board_.mutex_);
    lane_.state_ = std::move(state);
    lane_.progress_.clear();
    board_.Changed(Change::kState, lane_);
  }

  Lane& lane_;
  GangBoard& board_;
  std::unique_ptr<JsonEvents> json_;
  std::string line_;
  std::string lastLine_;
  int lastMessage_ = 0;
  vrx::TimeLeftEstimator estimate_;  // this port's pace alone
};

std::unique_ptr<ModuleView> GangBoard::Lane::BeginModule() {
  return std::make_unique<LaneModule>(*this);
}

GangBoard::GangBoard(const std::vector<std::string>& ports, bool json, bool repeat, bool table)
    : json_(json), repeat_(repeat), table_(table && !json), stateWidth_(StateColumns()) {
  for (const std::string& port : ports) {
    lanes_.push_back(std::make_unique<Lane>(*this, port));
    portWidth_ = std::max(portWidth_, DisplayWidth(port));
  }
  std::lock_guard lock(mutex_);
  if (table_) Draw();
}

GangBoard::~GangBoard() {
  std::lock_guard lock(mutex_);
  if (table_) Draw();  // the final states stay on the screen
}

PortView& GangBoard::port(std::size_t index) { return *lanes_.at(index); }

std::string GangBoard::Row(std::size_t index) {
  const Lane& lane = *lanes_.at(index);
  std::string row = PadTo(lane.port_, portWidth_) + "  " + PadTo(lane.state_, stateWidth_);
  if (!lane.progress_.empty()) row += "  " + lane.progress_;
  if (repeat_ && !lane.counts_.empty()) row += "  " + lane.counts_;
  while (!row.empty() && row.back() == ' ') row.pop_back();
  return row;
}

void GangBoard::LogLine(const std::string& port, const std::string& line) {
  std::lock_guard lock(mutex_);
  // On a shared terminal the log scrolls above the table.
  if (table_ && StdoutIsTerminal()) Erase();
  WriteWhole(stdout, port + ": " + line + "\n");
  if (table_ && StdoutIsTerminal()) Draw();
}

void GangBoard::NoteLine(const std::string& port, std::string_view text) {
  std::lock_guard lock(mutex_);
  if (table_) Erase();
  WriteWhole(stderr, port + ": " + std::string(text) + "\n");
  if (table_) Draw();
}

void GangBoard::Changed(Change change, const Lane& lane) {
  if (!table_) {
    // Plain lines: each new state and each count; progress only in the table.
    if (json_ || change == Change::kProgress) return;
    const std::string& text = change == Change::kState ? lane.state_ : lane.counts_;
    WriteWhole(stderr, lane.port_ + ": " + text + "\n");
    return;
  }
  if (change == Change::kProgress && Clock::now() - lastDraw_ < kRedrawPause) return;
  Draw();
}

void GangBoard::Draw() {
  const int columns = StderrColumns() - 1;
  std::string screen;
  if (drawnLines_ > 0) screen += "\033[" + std::to_string(drawnLines_) + "A";
  for (std::size_t i = 0; i < lanes_.size(); ++i) {
    std::string row = Row(i);
    // Narrow terminals lose the ends of the rows; a wrapped row would break
    // the redraw.
    while (!row.empty() && DisplayWidth(row) > columns) DropLastCharacter(row);
    screen += "\r\033[K" + row + "\n";
  }
  drawnLines_ = static_cast<int>(lanes_.size());
  lastDraw_ = Clock::now();
  WriteWhole(stderr, screen);
}

void GangBoard::Erase() {
  if (drawnLines_ == 0) return;
  WriteWhole(stderr, "\033[" + std::to_string(drawnLines_) + "A\r\033[J");
  drawnLines_ = 0;
}

}  // namespace vrxtool
