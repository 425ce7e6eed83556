// エクスポート… and インポート… on the sheet's right-click menu: the editor's
// data as JSON or CSV, through the same code as vrxtool export and import.
#pragma once

class wxMenu;

namespace vrx::editor {

class CVRXSheet;

enum ExchangeMenuId { kExportMenuId = 0x11, kImportMenuId = 0x12 };

void AppendExchangeEntries(wxMenu& menu);

// Runs the entry `id` chosen from the menu; false when it is not one of them.
bool RunExchangeEntry(CVRXSheet& sheet, int id);

}  // namespace vrx::editor
