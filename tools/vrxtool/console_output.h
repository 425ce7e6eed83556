// What vrxtool shows while it talks to a module: the writer's log on
// stdout, exactly, and on a terminal's stderr a status line with the log
// line in progress and a progress bar (bytes, rate, time left).  Nothing
// goes to stderr when it is not a terminal.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "device/device_progress.h"
#include "device/time_left.h"
#include "writer/write_log.h"

namespace vrxtool {

// The last line of stderr, kept up to date while stdout gets the log.
class StatusLine {
 public:
  StatusLine();
  ~StatusLine();  // clears the line
  StatusLine(const StatusLine&) = delete;
  StatusLine& operator=(const StatusLine&) = delete;

  bool Shown() const { return shown_; }
  // Before stdout is written: back to the log line alone, so that what
  // stdout writes on a shared terminal continues it.
  void BeforeStdout();
  void SetLogLine(std::string line);
  void SetBar(std::string bar);

 private:
  void Draw(bool withBar);

  bool shown_;
  bool escapes_;
  int shownWidth_ = 0;
  std::string logLine_;
  std::string bar_;
};

// What rewrites the status line with `text`, `shownWidth` columns being on
// it now: an erase escape where the terminal takes escapes, else blanks
// over the rest of the old text and the cursor back after the new.
std::string RedrawStatus(const std::string& text, int shownWidth, bool escapes);

// Columns a UTF-8 text takes on a terminal: CJK and full-width forms two,
// the rest one (half-width katakana included).
int DisplayWidth(std::string_view text);

// The writer's log as UTF-8 with LF line ends, flushed per append so that
// every step (and every "．") shows as it happens.
class ConsoleLog final : public vrx::WriteLog {
 public:
  explicit ConsoleLog(StatusLine& status) : status_(status) {}
  ~ConsoleLog() override;
  void AppendLog(std::string_view text) override;
  void AppendLogMessage(int id) override;
  int LastMessage() const { return lastMessage_; }  // 0 when none came

 private:
  StatusLine& status_;
  int lastMessage_ = 0;
  bool pendingCr_ = false;
  std::string currentLine_;
};

// Draws the bytes of the running step, its rate and the time left.
class ProgressBar final : public vrx::DeviceProgress {
 public:
  explicit ProgressBar(StatusLine& status) : status_(status) {}
  void StepStarted(const vrx::StepInfo& info) override;
  void BytesDone(const vrx::StepInfo& info, std::size_t done) override;
  void StepEnded(const vrx::StepInfo& info, bool succeeded) override;

 private:
  StatusLine& status_;
  vrx::TimeLeftEstimator estimate_;
};

// One line of a command's result on stdout, flushed at once.
void PrintLine(std::string_view text);

// "[#####-----] 12.0/28.0 KB  1.6 KB/s  0:10 left", fitted into `columns`;
// rate and time left once the estimate has them.
std::string FormatProgress(const vrx::TimeLeftEstimator& estimate, int columns);

}  // namespace vrxtool
