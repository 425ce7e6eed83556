#include <cstdio>

#include "resources/gang_texts.h"
#include "resources/readback_texts.h"

namespace vrx::gang_text {

std::string_view Connecting() { return "接続中"; }

std::string Erasing(int block) { return "ブロック" + std::to_string(block) + "を消去中"; }

std::string Writing(int block) { return "ブロック" + std::to_string(block) + "に書き込み中"; }

std::string_view Reading() { return "読み出し中"; }

std::string_view Done() { return "完了"; }

std::string_view Stopped() { return "中断"; }

std::string PortGivenTwice(std::string_view port) {
  return std::string(port) + " が二度指定されています。";
}

std::string NotAPortRange(std::string_view text) {
  return std::string(text) + ": COM1-COM8 のように、64 個までのポートの範囲を指定してください。";
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
