#include "resources/message_table.h"
#include "resources/translation.h"

#include <utility>

namespace vrx {
namespace {

constexpr std::pair<int, std::string_view> kEditorTable[] = {
    {101, TrLater("VRXEditor のﾊﾞｰｼﾞｮﾝ情報(&A)...")},
    {10000, TrLater("COMポートが設定されていません。")},
    {10001, TrLater("COMポートが開けません。")},
    {10002, TrLater("通信エラーが発生しました。デバイスをリセットして、接続を確認してください。")},
    {10003, TrLater("入力データに誤まりがあります。")},
    {10004, TrLater("ファイルが開けませんでした。")},
    {10005, TrLater("ファイルの読み込みに失敗しました。")},
    {10006, TrLater("ファイルの形式が違います。")},
};

}  // namespace

std::string_view editor_msg::WriterStartFailed() {
  return Tr("「VRXWriter.exe」が起動できませんでした。");
}

std::string_view editor_msg::UnsavedChangesPrompt() {
  return Tr("データは更新されています。保存しますか？");
}

std::string_view editor_msg::SaveBeforeWritePrompt() {
  return Tr("書き込みを行うには、ファイルに保存する必要があります。保存しますか？");
}

std::string_view EditorMessage(int id) {
  for (const auto& [number, text] : kEditorTable)
    if (number == id) return Tr(text);
  return {};
}

}  // namespace vrx
