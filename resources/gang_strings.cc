#include <cstdio>

#include "resources/gang_texts.h"
#include "resources/readback_texts.h"
#include "resources/translation.h"

namespace vrx::gang_text {

std::string_view Connecting() { return Tr("接続中"); }

std::string Erasing(int block) { return TrFormat("ブロック{0}を消去中", {std::to_string(block)}); }

std::string Writing(int block) {
  return TrFormat("ブロック{0}に書き込み中", {std::to_string(block)});
}

std::string_view Reading() { return Tr("読み出し中"); }

std::string_view Done() { return Tr("完了"); }

std::string PortGivenTwice(std::string_view port) {
  return TrFormat("{0} が二度指定されています。", {port});
}

std::string NotAPortRange(std::string_view text) {
  return TrFormat("{0}: COM1-COM8 のように、64 個までのポートの範囲を指定してください。", {text});
}

std::string PortSummary(std::string_view port, int passed, int failed) {
  return std::string(port) + ": " + readback_text::RepeatSummary(passed, failed);
}

std::string TotalSummary(int ports, int passed, int failed, double seconds) {
  char time[32];
  std::snprintf(time, sizeof time, " in %.1f s", seconds);
  return "all " + std::to_string(ports) +
         " ports: " + readback_text::RepeatSummary(passed, failed) + time;
}

}  // namespace vrx::gang_text
