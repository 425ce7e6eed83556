#include "resources/ui_texts.h"

#include <array>
#include <cstdio>

#include "resources/translation.h"

namespace vrx::ui_text {

std::string_view Yes() { return Tr("はい"); }
std::string_view No() { return Tr("いいえ"); }
std::string_view Cancel() { return Tr("キャンセル"); }
std::string_view Ok() { return "OK"; }

std::string_view OpenTitle() { return Tr("開く"); }
std::string_view SaveAsTitle() { return Tr("名前を付けて保存"); }
std::string_view ChooseDataFileTitle() { return Tr("データファイルの選択"); }
std::string_view EditorDataFileFilter() { return Tr("VRX7100 データ (*.vrx)|*.vrx"); }
std::string_view WriterDataFileFilter() { return Tr("VRX7100 データ (*.vrx;*.txt)|*.vrx;*.txt"); }

std::string_view ExitButton() { return Tr("終了"); }
std::string_view WriteButton() { return Tr("書込み"); }
std::string_view PortLabel() { return Tr("ポート"); }
std::string_view SpeedLabel() { return Tr("速度"); }

std::string_view OpenButton() { return Tr("開く"); }
std::string_view SaveButton() { return Tr("保存"); }
std::string_view PageCaption(int page) {
  static constexpr std::array<std::string_view, 3> kCaptions = {TrLater("キーマップ"), "CGRAM",
                                                                TrLater("オプション")};
  return page >= 0 && page < 3 ? Tr(kCaptions[static_cast<std::size_t>(page)]) : std::string_view();
}
std::string_view CaptureButton() { return Tr("キャプチャ"); }
std::string_view TypematicBox() { return Tr("タイパマティック"); }
std::string_view TestButton() { return Tr("テスト"); }

std::string_view WriterInstruction() {
  return Tr(
      "VRX7100のフラッシュメモリに書込みを行います。\n\n"
      "データファイルを選択して「書込み」ボタンを押してください。");
}
std::string_view BrowseButton() { return Tr("参照"); }
std::string TimeLeft(long long seconds) {
  char minutesAndSeconds[32];
  std::snprintf(minutesAndSeconds, sizeof minutesAndSeconds, "%lld:%02lld", seconds / 60,
                seconds % 60);
  return TrFormat("残り {0}", {minutesAndSeconds});
}

std::string AboutTitle(std::string_view product) { return TrFormat("{0}のﾊﾞｰｼﾞｮﾝ情報", {product}); }

std::string_view LanguageMenuEntry() { return Tr("言語 / Language"); }
std::string_view FollowSystemLanguage() { return Tr("システムの言語"); }
std::string_view JapaneseLanguageName() { return Tr("日本語"); }
std::string_view EnglishLanguageName() { return "English"; }
std::string_view LanguageChangeNotice() { return Tr("言語の変更は次回の起動から有効になります。"); }

}  // namespace vrx::ui_text
