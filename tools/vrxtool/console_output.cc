#include "tools/vrxtool/console_output.h"

#include <cstdio>

#include "tools/vrxtool/terminal.h"

namespace vrxtool {
namespace {

std::string Kilobytes(std::size_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / 1024.0);
  return text;
}

}  // namespace

int DisplayWidth(std::string_view text) {
  int width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    int columns = length >= 3 ? 2 : 1;
    if (length == 3 && i + 2 < text.size()) {
      const unsigned code = (lead & 0x0Fu) << 12 |
                            (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                            (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
      if (code >= 0xFF61 && code <= 0xFF9F) columns = 1;
    }
    width += columns;
    i += length;
  }
  return width;
}

std::string RedrawStatus(const std::string& text, int shownWidth, bool escapes) {
  if (escapes) return "\r\033[K" + text;
  const int rest = shownWidth - DisplayWidth(text);
  if (rest <= 0) return "\r" + text;
  return "\r" + text + std::string(static_cast<std::size_t>(rest), ' ') + "\r" + text;
}

StatusLine::StatusLine() : shown_(StderrIsTerminal()), escapes_(StderrTakesEscapes()) {}

StatusLine::~StatusLine() {
  if (!shown_ || (logLine_.empty() && bar_.empty())) return;
  std::fputs(RedrawStatus({}, shownWidth_, escapes_).c_str(), stderr);
  std::fflush(stderr);
}

void StatusLine::BeforeStdout() {
  if (shown_ && !bar_.empty()) Draw(false);
}

void StatusLine::SetLogLine(std::string line) {
  logLine_ = std::move(line);
  if (shown_) Draw(true);
}

void StatusLine::SetBar(std::string bar) {
  bar_ = std::move(bar);
  if (shown_) Draw(true);
}

void StatusLine::Draw(bool withBar) {
  std::string text = logLine_;
  if (withBar && !bar_.empty()) {
    const int room = StderrColumns() - 1 - DisplayWidth(logLine_) - (logLine_.empty() ? 0 : 2);
    if (room > 0) {
      std::string bar = bar_;
      // Narrow terminals lose the end of the bar, never the log line.
      while (!bar.empty() && DisplayWidth(bar) > room) bar.pop_back();
      text += (logLine_.empty() ? "" : "  ") + bar;
    }
  }
  std::fputs(RedrawStatus(text, shownWidth_, escapes_).c_str(), stderr);
  std::fflush(stderr);
  shownWidth_ = DisplayWidth(text);
}

ConsoleLog::~ConsoleLog() {
  if (pendingCr_) std::fputc('\r', stdout);
  std::fflush(stdout);
}

void ConsoleLog::AppendLog(std::string_view text) {
  status_.BeforeStdout();
  for (char c : text) {
    if (pendingCr_ && c != '\n') std::fputc('\r', stdout);
    pendingCr_ = c == '\r';
    if (pendingCr_) continue;
    std::fputc(c, stdout);
    currentLine_ = c == '\n' ? std::string() : currentLine_ + c;
  }
  std::fflush(stdout);
  // When stdout is a terminal too, this redraws what it just showed.
  status_.SetLogLine(currentLine_);
}

void ConsoleLog::AppendLogMessage(int id) {
  lastMessage_ = id;
  WriteLog::AppendLogMessage(id);
}

void ProgressBar::StepStarted(const vrx::StepInfo& info) {
  estimate_.Begin(info.total, vrx::TimeLeftEstimator::Clock::now());
  if (info.total > 0) BytesDone(info, 0);
}

void ProgressBar::BytesDone(const vrx::StepInfo&, std::size_t done) {
  estimate_.Update(done, vrx::TimeLeftEstimator::Clock::now());
  status_.SetBar(FormatProgress(estimate_, 1000));
}

void ProgressBar::StepEnded(const vrx::StepInfo& info, bool) {
  if (info.total > 0) status_.SetBar({});
}

void PrintLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string FormatProgress(const vrx::TimeLeftEstimator& estimate, int columns) {
  constexpr int kCells = 20;
  const std::size_t done = estimate.Done();
  const std::size_t total = estimate.Total();
  const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
  const int filled = static_cast<int>(fraction * kCells);
  std::string text = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(kCells - filled), '-') + "] " +
                     Kilobytes(done) + "/" + Kilobytes(total) + " KB";
  const auto rate = estimate.BytesPerSecond();
  const auto left = estimate.Left();
  if (rate && left) {
    const long long secondsLeft = left->count();
    char tail[64];
    std::snprintf(tail, sizeof tail, "  %.1f KB/s  %lld:%02lld left", *rate / 1024.0,
                  secondsLeft / 60, secondsLeft % 60);
    text += tail;
  }
  if (static_cast<int>(text.size()) > columns) text.resize(static_cast<std::size_t>(columns));
  return text;
}

}  // namespace vrxtool
