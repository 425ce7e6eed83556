#include "resources/readback_texts.h"
#include "resources/translation.h"

#include <cstdio>

namespace vrx::readback_text {

std::string_view VerifyMenuEntry() { return Tr("書込み後に検証する"); }

std::string_view Verified() { return Tr("検証完了"); }

std::string Mismatch(std::size_t count) {
  return TrFormat("検証エラー：{0} バイトが一致しません。", {std::to_string(count)});
}

std::string_view VerifyReadFailed() { return Tr("検証のための読み出しに失敗しました。"); }

std::string Difference(uint32_t address, uint8_t module, uint8_t image) {
  char line[64];
  std::snprintf(line, sizeof line, "0x%04X: module 0x%02X, image 0x%02X",
                static_cast<unsigned>(address), module, image);
  return line;
}

std::string CannotWrite(std::string_view path) { return "cannot write " + std::string(path); }

std::string OutputIsFolder(std::string_view path) {
  return TrFormat("{0} はフォルダです。ファイル名を指定してください。", {path});
}

std::string OutputFolderMissing(std::string_view path) {
  return TrFormat("{0} を作成できません。フォルダがありません。", {path});
}

std::string OutputFolderNotWritable(std::string_view path) {
  return TrFormat("{0} を作成できません。フォルダに書き込めません。", {path});
}

std::string RunningCount(int passed, int failed) {
  return "passed " + std::to_string(passed) + ", failed " + std::to_string(failed);
}

std::string RepeatSummary(int passed, int failed) {
  return "modules programmed: " + std::to_string(passed + failed) + ", passed " +
         std::to_string(passed) + ", failed " + std::to_string(failed);
}

std::string_view WaitingForModule() { return "waiting for the next module..."; }

std::string_view CsvHeader() { return "time,port,result,seconds,message"; }

std::string_view ResultWord(bool passed) { return passed ? "pass" : "fail"; }

std::string_view Interrupted() { return "interrupted"; }

}  // namespace vrx::readback_text
