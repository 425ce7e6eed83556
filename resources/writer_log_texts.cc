#include "resources/writer_log_texts.h"

namespace vrx::writer_log {

std::string_view PayloadStopped() { return "\r\n### 実行を停止しました。"; }
std::string_view LoadStopped() { return "\r\n処理を中止しました。"; }
std::string Loaded(std::string_view fileTitle) {
  return "\r\n" + std::string(fileTitle) + " ファイルを正常にロードしました。\r\n";
}

std::string_view Connected() { return "\r\n接続完了\r\n"; }
std::string_view ErasingBlock0() { return "\r\nブロック0を消去中．．．"; }
std::string_view WritingBlock0() { return "\r\nブロック0に書き込み中．．．"; }
std::string_view ErasingBlock4() { return "\r\nブロック4を消去中．．．"; }
std::string_view WritingBlock4() { return "\r\nブロック4に書き込み中"; }
std::string_view ChunkWritten() { return "．"; }
std::string_view StepDone() { return "完了\r\n"; }
std::string_view Finished() { return "\r\n書き込みは正常に終了しました。\r\n"; }
std::string_view Stopping() { return "\r\n処理を中止します。\r\n"; }

}  // namespace vrx::writer_log
