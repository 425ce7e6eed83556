// vrxtool --json: one JSON object per line on stdout for each event of a
// command (steps, bytes, log texts, messages with their numbers, the
// result), for production software to follow.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/device_progress.h"
#include "writer/write_log.h"

namespace vrxtool {

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view text);

// One event: {"event":NAME, fields...}; `fields` values are JSON already.
void PrintEvent(std::string_view name,
                const std::vector<std::pair<std::string_view, std::string>>& fields);

class JsonEvents final : public vrx::WriteLog, public vrx::DeviceProgress {
 public:
  // With a port name, every event carries it ("port":...), for runs on
  // several ports at once.
  explicit JsonEvents(std::string port = {}) : port_(std::move(port)) {}

  void AppendLog(std::string_view text) override;
  // {"event":"message","number":N,"text":...}; the number is kept for the
  // result.
  void AppendLogMessage(int id) override;
  void StepStarted(const vrx::StepInfo& info) override;
  void BytesDone(const vrx::StepInfo& info, std::size_t done) override;
  void StepEnded(const vrx::StepInfo& info, bool succeeded) override;

  // {"event":"result","ok":...} with the last message number and text, if
  // any, and `extra` fields.
  void Result(bool ok, const std::vector<std::pair<std::string_view, std::string>>& extra = {});
  // A failure known by its number, outside the log (read, verify).
  void Failure(int messageId);
  int LastMessage() const { return lastMessage_; }

 private:
  void Emit(std::string_view name, std::vector<std::pair<std::string_view, std::string>> fields);

  std::string port_;
  int lastMessage_ = 0;
};

}  // namespace vrxtool
