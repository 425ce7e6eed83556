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

std::vector<std::pair<std::string_view, std::string>> StepFields(const vrx::StepInfo& info) {
  std::vector<std::pair<std::string_view, std::string>> fields{
      {"step", JsonString(StepName(info.step))}};
  if (info.block >= 0) fields.emplace_back("block", std::to_string(info.block));
  return fields;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void PrintEvent(std::string_view name,
                const std::vector<std::pair<std::string_view, std::string>>& fields) {
  std::string line = "{\"event\":" + JsonString(name);
  for (const auto& [key, value] : fields) line += "," + JsonString(key) + ":" + value;
  line += "}\n";
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
}

void JsonEvents::AppendLog(std::string_view text) {
  // The text is in the user's language; the id, when the line has one, is not.
  std::vector<std::pair<std::string_view, std::string>> fields{{"text", JsonString(text)}};
  if (const std::string_view id = vrx::writer_log::LineId(text); !id.empty())
    fields.emplace_back("id", JsonString(id));
  PrintEvent("log", fields);
}

void JsonEvents::AppendLogMessage(int id) {
  lastMessage_ = id;
  PrintEvent("message",
             {{"number", std::to_string(id)}, {"text", JsonString(vrx::WriterMessage(id))}});
}

void JsonEvents::StepStarted(const vrx::StepInfo& info) {
  auto fields = StepFields(info);
  fields.emplace_back("total", std::to_string(info.total));
  PrintEvent("step-started", fields);
}

void JsonEvents::BytesDone(const vrx::StepInfo& info, std::size_t done) {
  auto fields = StepFields(info);
  fields.emplace_back("done", std::to_string(done));
  fields.emplace_back("total", std::to_string(info.total));
  PrintEvent("bytes", fields);
}

void JsonEvents::StepEnded(const vrx::StepInfo& info, bool succeeded) {
  auto fields = StepFields(info);
  fields.emplace_back("ok", succeeded ? "true" : "false");
  PrintEvent("step-ended", fields);
}

void JsonEvents::Failure(int messageId) { AppendLogMessage(messageId); }

void JsonEvents::Result(bool ok,
                        const std::vector<std::pair<std::string_view, std::string>>& extra) {
  std::vector<std::pair<std::string_view, std::string>> fields{{"ok", ok ? "true" : "false"}};
  if (!ok && lastMessage_ != 0) {
    fields.emplace_back("message", std::to_string(lastMessage_));
    fields.emplace_back("text", JsonString(vrx::WriterMessage(lastMessage_)));
  }
  fields.insert(fields.end(), extra.begin(), extra.end());
  PrintEvent("result", fields);
}

}  // namespace vrxtool
