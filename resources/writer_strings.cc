#include "resources/message_table.h"

#include <utility>

namespace vrx {
namespace {

constexpr std::pair<int, std::string_view> kWriterTable[] = {
    {101, "VRXWriter のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    {10000, "ファイルが選択されていません。"},
    {10001, "ファイルが開けません。"},
    {10002, "ファイルの読み込みに失敗しました。"},
    {10003, "ファイルの形式が違います。"},
    {10004, "デバイスと通信ができません。"},
    {10005, "モード変更に失敗しました。"},
    {10006, "フラッシュの消去でエラーが発生しました。"},
    {10007, "フラッシュの書込みでエラーが発生しました。"},
    {10008, "通信ポートのオープンに失敗しました。"},
};

constexpr std::string_view kContainerFailures[] = {
    "実行時にエラーが発生しました。 #1",
    "実行時にエラーが発生しました。 #2",
    "実行時にエラーが発生しました。 #3",
};

}  // namespace

std::string_view WriterMessage(int id) {
  for (const auto& [number, text] : kWriterTable)
    if (number == id) return text;
  return {};
}

std::string_view ContainerFailureText(int failure) {
  if (failure < 1 || failure > 3) return {};
  return kContainerFailures[failure - 1];
}

}  // namespace vrx
