#include "resources/editor_texts.h"
#include "resources/translation.h"

#include <array>
#include <cctype>

namespace vrx::editor_text {
namespace {

constexpr std::array<std::string_view, kOptionFlagCount> kOptionFlags = {
    TrLater("起動時にBAT終了コードを出力しない。"),
    TrLater("識別できないコマンドに対してもACKで応答する。"),
    TrLater("PIOをLCD制御端子として使用する。"),
    TrLater("PO4～PO7端子を出力ポートとして使用する。"),
    TrLater("PI0～PI6をCOL9#～COL15#として使用する。"),
    TrLater("キーボードのステータスインジケータ(LED)をPIO4～PIO7に割り当てる。"),
    TrLater("キーコードをシリアルポートに出力する(PS/2は使用できません)。"),
};

constexpr std::array<std::string_view, kCharacterToolCount> kCharacterTools = {
    TrLater("クリア(&C)"),
    TrLater("反転(&I)"),
    TrLater("上へ1ドットずらす(&U)"),
    TrLater("下へ1ドットずらす(&D)"),
    TrLater("左へ1ドットずらす(&L)"),
    TrLater("右へ1ドットずらす(&R)"),
    TrLater("左右反転(&H)"),
    TrLater("上下反転(&V)"),
    TrLater("コピー(&O)"),
    TrLater("貼り付け(&P)"),
};

}  // namespace

std::string_view OptionFlagLabel(int bit) {
  return bit >= 0 && bit < kOptionFlagCount ? Tr(kOptionFlags[static_cast<size_t>(bit)])
                                            : std::string_view();
}
std::string_view SpeedLabel() { return Tr("通信速度"); }
std::string_view PoInitialLabel() { return Tr("POの初期値"); }

std::string_view CharacterToolLabel(CharacterTool tool) {
  return Tr(kCharacterTools[static_cast<size_t>(tool)]);
}

std::string_view SaveLayoutMenuEntry() { return Tr("レイアウト図を保存(&L)…"); }
std::string_view SaveLayoutDialogTitle() { return Tr("レイアウト図を保存"); }
std::string_view ExportDialogTitle() { return Tr("エクスポート"); }
std::string_view ImportDialogTitle() { return Tr("インポート"); }
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
std::string_view LayoutTitle() { return Tr("VRX7100 レイアウト図"); }
std::string_view LayoutSaveFailed() { return Tr("レイアウト図を保存できませんでした。"); }

std::string_view KeyWord() { return Tr("キー"); }
std::string_view NoSpeedText() { return Tr("なし"); }

}  // namespace vrx::editor_text
