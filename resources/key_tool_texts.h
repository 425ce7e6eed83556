// Texts of the key map page's tools: 連続キャプチャ, the key list and the
// key test.
#pragma once

#include <string>
#include <string_view>

namespace vrx::key_tool_text {

// The key map page's controls.
std::string_view SequenceBox();      // "連続キャプチャ(&R)"
std::string_view OrderLabel();       // "順序"
std::string_view OrderChoice(int order);  // 0 by number, 1 by row, 2 by column
std::string_view SkipAssignedBox();  // skip keys that have codes
std::string_view KeyListButton();    // "キー一覧(&L)…"
std::string_view KeyTestButton();    // "キーテスト(&T)"

// The key list.
std::string_view KeyListTitle();
std::string_view SearchLabel();
std::string_view NameColumn();
std::string_view GroupColumn();
std::string_view ChooseButton();

// The key test.
std::string_view KeyTestTitle();
std::string_view TimeColumn();
std::string_view CodeColumn();
std::string_view MatrixKeyColumn();
std::string_view NotAssigned();          // "割り当てなし"
std::string_view NoCode();               // a PC key without a code of its own
std::string Progress(int pressed, int assigned);  // "確認済み 12 / 40 キー"
std::string_view KeyTestHint();          // what to do, and how to end
std::string_view DesktopKeysNote();      // keys that never arrive
std::string_view EndButton();            // "終了"

}  // namespace vrx::key_tool_text
