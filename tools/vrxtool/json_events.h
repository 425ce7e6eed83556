// vrxtool --json: one JSON object per line on stdout for each event of a
// command (steps, bytes, log texts, messages with their numbers, the
// result), for production software to follow.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>

#include "device/device_progress.h"
#include "writer/write_log.h"

namespace vrxtool {

// Members keep the order they were added in, so that a line reads as the
// event name first.
using JsonObject = nlohmann::ordered_json;

// `value` on one line.  Text that is not UTF-8 (a file name in another
// encoding) has its bad bytes shown as U+FFFD, so the line always parses.
std::string JsonText(const JsonObject& value);

// One event line: {"event":NAME, fields...}.
void PrintEvent(std::string_view name, const JsonObject& fields = JsonObject::object());

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
  // any, and the members of `extra`.
  void Result(bool ok, const JsonObject& extra = JsonObject::object());
  // A failure known by its number, outside the log (read, verify).
  void Failure(int messageId);
  int LastMessage() const { return lastMessage_; }

 private:
  void Emit(std::string_view name, const JsonObject& fields);

  std::string port_;
  int lastMessage_ = 0;
};

}  // namespace vrxtool
