#include "resources/writer_log_texts.h"

#include <utility>

#include "resources/readback_texts.h"
#include "resources/translation.h"

namespace vrx::writer_log {

std::string_view PayloadStopped() { return Tr("\r\n### 実行を停止しました。"); }
std::string_view LoadStopped() { return Tr("\r\n処理を中止しました。"); }
std::string Loaded(std::string_view fileTitle) {
  return TrFormat("\r\n{0} ファイルを正常にロードしました。\r\n", {fileTitle});
}

std::string_view Connected() { return Tr("\r\n接続完了\r\n"); }
std::string_view ErasingBlock0() { return Tr("\r\nブロック0を消去中．．．"); }
std::string_view WritingBlock0() { return Tr("\r\nブロック0に書き込み中．．．"); }
std::string_view ErasingBlock4() { return Tr("\r\nブロック4を消去中．．．"); }
std::string_view WritingBlock4() { return Tr("\r\nブロック4に書き込み中"); }
std::string_view ChunkWritten() { return Tr("．"); }
std::string_view StepDone() { return Tr("完了\r\n"); }
std::string_view Finished() { return Tr("\r\n書き込みは正常に終了しました。\r\n"); }
std::string_view Stopping() { return Tr("\r\n処理を中止します。\r\n"); }

namespace {

std::string_view WithoutLineBreaks(std::string_view text) {
  const auto first = text.find_first_not_of("\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of("\r\n") - first + 1);
}

}  // namespace

std::string_view LineId(std::string_view text) {
  const std::pair<std::string_view, std::string_view> lines[] = {
      {"payload-stopped", PayloadStopped()},
      {"load-stopped", LoadStopped()},
      {"connected", Connected()},
      {"erasing-block-0", ErasingBlock0()},
      {"writing-block-0", WritingBlock0()},
      {"erasing-block-4", ErasingBlock4()},
      {"writing-block-4", WritingBlock4()},
      {"chunk-written", ChunkWritten()},
      {"step-done", StepDone()},
      {"finished", Finished()},
      {"stopping", Stopping()},
      {"verified", readback_text::Verified()},
  };
  const std::string_view line = WithoutLineBreaks(text);
  if (line.empty()) return {};
  for (const auto& [id, known] : lines)
    if (WithoutLineBreaks(known) == line) return id;
  // The loaded line names the file: its text before and after the name.
  const std::string loaded = Loaded("\x01");
  const auto name = loaded.find('\x01');
  const std::string_view before = std::string_view(loaded).substr(0, name);
  const std::string_view after = std::string_view(loaded).substr(name + 1);
  if (text.size() > before.size() + after.size() && text.starts_with(before) &&
      text.ends_with(after))
    return "loaded";
  return {};
}

}  // namespace vrx::writer_log
