#include "resources/tool_messages.h"

#include "resources/message_table.h"
#include "resources/translation.h"

namespace vrx::tool_msg {

std::string_view ImportProblemText(int problem) {
  switch (problem) {
    case kSyntax:
      return Tr("書式に誤りがあります。");
    case kWrongFormat:
      return EditorMessage(editor_msg::kFileWrongFormat);
    case kNewerVersion:
      return Tr("新しい版の形式のため読み込めません。");
    case kUnknownMember:
      return Tr("不明な項目です。");
    case kBadValue:
      return Tr("値に誤りがあります。");
    case kBadCode:
      return EditorMessage(editor_msg::kBadInputData);
    case kBadKeyNumber:
      return Tr("キー番号は1～128で指定してください。");
    case kDuplicateKey:
      return Tr("同じキーが2回以上指定されています。");
    case kWrongPlace:
      return Tr("行・列がキー番号と一致しません。");
    default:
      return {};
  }
}

std::string_view FileNotWritable() { return Tr("書き込みが許可されていないファイルです。"); }

std::string_view ImportFileTooLarge() { return Tr("4 MBを超えるファイルは読み込めません。"); }

std::string_view NotAFlashImage() { return Tr("32768バイトのフラッシュイメージではありません。"); }

std::string_view ErasedConfiguration() {
  return Tr("構成データがありません(0x5000～0x70FFが消去された状態です)。");
}

std::string_view ExportMenuEntry() { return Tr("エクスポート…"); }
std::string_view ImportMenuEntry() { return Tr("インポート…"); }

}  // namespace vrx::tool_msg
