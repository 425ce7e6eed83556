#include "resources/editor_texts.h"

#include <array>
#include <cctype>

namespace vrx::editor_text {
namespace {

constexpr std::array<std::string_view, kOptionFlagCount> kOptionFlags = {
    "起動時にBAT終了コードを出力しない。",
    "識別できないコマンドに対してもACKで応答する。",
    "PIOをLCD制御端子として使用する。",
    "PO4～PO7端子を出力ポートとして使用する。",
    "PI0～PI6をCOL9#～COL15#として使用する。",
    "キーボードのステータスインジケータ(LED)をPIO4～PIO7に割り当てる。",
    "キーコードをシリアルポートに出力する(PS/2は使用できません)。",
};

constexpr std::array<std::string_view, kCharacterToolCount> kCharacterTools = {
    "クリア(&C)",
    "反転(&I)",
    "上へ1ドットずらす(&U)",
    "下へ1ドットずらす(&D)",
    "左へ1ドットずらす(&L)",
    "右へ1ドットずらす(&R)",
    "左右反転(&H)",
    "上下反転(&V)",
    "コピー(&O)",
    "貼り付け(&P)",
};

}  // namespace

std::string_view OptionFlagLabel(int bit) {
  return bit >= 0 && bit < kOptionFlagCount ? kOptionFlags[static_cast<size_t>(bit)]
                                            : std::string_view();
}
std::string_view SpeedLabel() { return "通信速度"; }
std::string_view PoInitialLabel() { return "POの初期値"; }

std::string_view CharacterToolLabel(CharacterTool tool) {
  return kCharacterTools[static_cast<size_t>(tool)];
}

std::string_view SaveLayoutMenuEntry() { return "レイアウト図を保存(&L)…"; }
std::string_view SaveLayoutDialogTitle() { return "レイアウト図を保存"; }
std::string_view ExportDialogTitle() { return "エクスポート"; }
std::string_view ImportDialogTitle() { return "インポート"; }
std::string LayoutFileFilter(std::span<const std::string_view> extensions) {
  std::string filter;
  for (const std::string_view extension : extensions) {
    std::string upper(extension);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!filter.empty()) filter += '|';
    filter += upper + " (*." + std::string(extension) + ")|*." + std::string(extension);
  }
  return filter;
}
std::string_view LayoutTitle() { return "VRX7100 レイアウト図"; }
std::string_view LayoutSaveFailed() { return "レイアウト図を保存できませんでした。"; }

std::string_view KeyWord() { return "キー"; }
std::string_view NoSpeedText() { return "なし"; }

}  // namespace vrx::editor_text
