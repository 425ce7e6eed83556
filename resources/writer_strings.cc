#include "resources/message_table.h"
#include "resources/translation.h"

#include <utility>

namespace vrx {
namespace {

constexpr std::pair<int, std::string_view> kWriterTable[] = {
    {101, TrLater("VRXWriter のﾊﾞｰｼﾞｮﾝ情報(&A)...")},
    {10000, TrLater("ファイルが選択されていません。")},
    {10001, TrLater("ファイルが開けません。")},
    {10002, TrLater("ファイルの読み込みに失敗しました。")},
    {10003, TrLater("ファイルの形式が違います。")},
    {10004, TrLater("デバイスと通信ができません。")},
    {10005, TrLater("モード変更に失敗しました。")},
    {10006, TrLater("フラッシュの消去でエラーが発生しました。")},
    {10007, TrLater("フラッシュの書込みでエラーが発生しました。")},
    {10008, TrLater("通信ポートのオープンに失敗しました。")},
};

constexpr std::string_view kContainerFailures[] = {
    TrLater("実行時にエラーが発生しました。 #1"),
    TrLater("実行時にエラーが発生しました。 #2"),
    TrLater("実行時にエラーが発生しました。 #3"),
};

}  // namespace

std::string_view WriterMessage(int id) {
  for (const auto& [number, text] : kWriterTable)
    if (number == id) return Tr(text);
  return {};
}

std::string_view ContainerFailureText(int failure) {
  if (failure < 1 || failure > 3) return {};
  return Tr(kContainerFailures[failure - 1]);
}

}  // namespace vrx
