#include "tools/vrxtool/json_events.h"

#include <cstdio>

#include "resources/message_table.h"
#include "resources/writer_log_texts.h"

namespace vrxtool {
namespace {

std::string_view StepName(vrx::DeviceStep step) {
  switch (step) {
    case vrx::DeviceStep::kConnect:
      return "connect";
    case vrx::DeviceStep::kReadBack:
      return "read-back";
    case vrx::DeviceStep::kErase:
      return "erase";
    case vrx::DeviceStep::kWrite:
      return "write";
    case vrx::DeviceStep::kRead:
      return "read";
    case vrx::DeviceStep::kExit:
      return "exit";
  }
  return "";
}

JsonObject StepFields(const vrx::StepInfo& info) {
  JsonObject fields = {{"step", StepName(info.step)}};
  if (info.block >= 0) fields["block"] = info.block;
  return fields;
}

}  // namespace

std::string JsonText(const JsonObject& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void PrintEvent(std::string_view name, const JsonObject& fields) {
  JsonObject line = {{"event", name}};
  line.update(fields);
  std::fputs((JsonText(line) + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void JsonEvents::Emit(std::string_view name, const JsonObject& fields) {
  if (port_.empty()) return PrintEvent(name, fields);
  JsonObject withPort = {{"port", port_}};
  for (const auto& [key, value] : fields.items()) withPort[key] = value;
  PrintEvent(name, withPort);
}

void JsonEvents::AppendLog(std::string_view text) {
  // The text is in the user's language; the id, when the line has one, is not.
  JsonObject fields = {{"text", text}};
  if (const std::string_view id = vrx::writer_log::LineId(text); !id.empty()) fields["id"] = id;
  Emit("log", fields);
}

void JsonEvents::AppendLogMessage(int id) {
  lastMessage_ = id;
  Emit("message", {{"number", id}, {"text", vrx::WriterMessage(id)}});
}

void JsonEvents::StepStarted(const vrx::StepInfo& info) {
  JsonObject fields = StepFields(info);
  fields["total"] = info.total;
  Emit("step-started", fields);
}

void JsonEvents::BytesDone(const vrx::StepInfo& info, std::size_t done) {
  JsonObject fields = StepFields(info);
  fields["done"] = done;
  fields["total"] = info.total;
  Emit("bytes", fields);
}

void JsonEvents::StepEnded(const vrx::StepInfo& info, bool succeeded) {
  JsonObject fields = StepFields(info);
  fields["ok"] = succeeded;
  Emit("step-ended", fields);
}

void JsonEvents::Failure(int messageId) { AppendLogMessage(messageId); }

void JsonEvents::Result(bool ok, const JsonObject& extra) {
  JsonObject fields = {{"ok", ok}};
  if (!ok && lastMessage_ != 0) {
    fields["message"] = lastMessage_;
    fields["text"] = vrx::WriterMessage(lastMessage_);
  }
  fields.update(extra);
  Emit("result", fields);
}

}  // namespace vrxtool
