#include "resources/key_tool_texts.h"

#include <array>

#include "resources/translation.h"

namespace vrx::key_tool_text {

std::string_view SequenceBox() { return Tr("連続キャプチャ(&R)"); }
std::string_view OrderLabel() { return Tr("順序"); }
std::string_view OrderChoice(int order) {
  static constexpr std::array<std::string_view, 3> kOrders = {TrLater("番号順"), TrLater("行順"),
                                                             TrLater("列順")};
  return Tr(order >= 0 && order < 3 ? kOrders[static_cast<size_t>(order)] : kOrders[0]);
}
std::string_view SkipAssignedBox() { return Tr("コードのあるキーをとばす"); }
std::string_view KeyListButton() { return Tr("キー一覧(&L)…"); }
std::string_view KeyTestButton() { return Tr("キーテスト(&T)"); }

std::string_view KeyListTitle() { return Tr("キー一覧"); }
std::string_view SearchLabel() { return Tr("検索(&S):"); }
std::string_view NameColumn() { return Tr("キー"); }
std::string_view GroupColumn() { return Tr("分類"); }
std::string_view ChooseButton() { return Tr("設定"); }

std::string_view KeyTestTitle() { return Tr("キーテスト"); }
std::string_view TimeColumn() { return Tr("時刻"); }
std::string_view CodeColumn() { return Tr("コード"); }
std::string_view MatrixKeyColumn() { return Tr("マトリクスのキー"); }
std::string_view NotAssigned() { return Tr("割り当てなし"); }
std::string_view NoCode() { return Tr("(コードなし)"); }
std::string Progress(int pressed, int assigned) {
  return TrFormat("確認済み {0} / {1} キー", {std::to_string(pressed), std::to_string(assigned)});
}
std::string_view KeyTestHint() {
  return Tr("書き込んだキーボードのキーを押してください。Escまたは終了でテストを終えます。");
}
std::string_view DesktopKeysNote() {
  return Tr(
      "デスクトップが先に取るキー（Windowsキー、PrintScreen、音量・電源キーなど）はここに届かず、"
      "一覧に出ません。");
}
std::string_view EndButton() { return Tr("終了"); }

}  // namespace vrx::key_tool_text
