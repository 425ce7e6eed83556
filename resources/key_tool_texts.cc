#include "resources/key_tool_texts.h"

#include <array>

namespace vrx::key_tool_text {

std::string_view SequenceBox() { return "連続キャプチャ(&R)"; }
std::string_view OrderLabel() { return "順序"; }
std::string_view OrderChoice(int order) {
  static constexpr std::array<std::string_view, 3> kOrders = {"番号順", "行順", "列順"};
  return order >= 0 && order < 3 ? kOrders[static_cast<size_t>(order)] : kOrders[0];
}
std::string_view SkipAssignedBox() { return "コードのあるキーをとばす"; }
std::string_view KeyListButton() { return "キー一覧(&L)…"; }
std::string_view KeyTestButton() { return "キーテスト(&T)"; }

std::string_view KeyListTitle() { return "キー一覧"; }
std::string_view SearchLabel() { return "検索(&S):"; }
std::string_view NameColumn() { return "キー"; }
std::string_view GroupColumn() { return "分類"; }
std::string_view ChooseButton() { return "設定"; }

std::string_view KeyTestTitle() { return "キーテスト"; }
std::string_view TimeColumn() { return "時刻"; }
std::string_view CodeColumn() { return "コード"; }
std::string_view MatrixKeyColumn() { return "マトリクスのキー"; }
std::string_view NotAssigned() { return "割り当てなし"; }
std::string_view NoCode() { return "(コードなし)"; }
std::string Progress(int pressed, int assigned) {
  return "確認済み " + std::to_string(pressed) + " / " + std::to_string(assigned) + " キー";
}
std::string_view KeyTestHint() {
  return "書き込んだキーボードのキーを押してください。Escまたは終了でテストを終えます。";
}
std::string_view DesktopKeysNote() {
  return "デスクトップが先に取るキー（Windowsキー、PrintScreen、音量・電源キーなど）はここに届かず、"
         "一覧に出ません。";
}
std::string_view EndButton() { return "終了"; }

}  // namespace vrx::key_tool_text
