#include "resources/message_table.h"

#include <utility>

namespace vrx {
namespace {

constexpr std::pair<int, std::string_view> kEditorTable[] = {
    {101, "VRXEditor のﾊﾞｰｼﾞｮﾝ情報(&A)..."},
    {10000, "COMポートが設定されていません。"},
    {10001, "COMポートが開けません。"},
    {10002, "通信エラーが発生しました。デバイスをリセットして、接続を確認してください。"},
    {10003, "入力データに誤まりがあります。"},
    {10004, "ファイルが開けませんでした。"},
    {10005, "ファイルの読み込みに失敗しました。"},
    {10006, "ファイルの形式が違います。"},
};

}  // namespace

std::string_view editor_msg::WriterStartFailed() {
  return "「VRXWriter.exe」が起動できませんでした。";
}

std::string_view editor_msg::UnsavedChangesPrompt() {
  return "データは更新されています。保存しますか？";
}

std::string_view editor_msg::SaveBeforeWritePrompt() {
  return "書き込みを行うには、ファイルに保存する必要があります。保存しますか？";
}

std::string_view EditorMessage(int id) {
  for (const auto& [number, text] : kEditorTable)
    if (number == id) return text;
  return {};
}

}  // namespace vrx
