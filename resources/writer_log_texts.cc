#include "resources/writer_log_texts.h"
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

}  // namespace vrx::writer_log
