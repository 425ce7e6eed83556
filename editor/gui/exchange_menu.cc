#include "editor/gui/exchange_menu.h"

#include <wx/filename.h>
#include <wx/menu.h>

#include "config/config_exchange.h"
#include "editor/core/import_error_text.h"
#include "editor/gui/vrx_sheet.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "resources/editor_texts.h"
#include "resources/message_table.h"
#include "resources/tool_messages.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/text_conversion.h"

namespace vrx::editor {
namespace {

constexpr const char* kExchangeFilter = "JSON (*.json)|*.json|CSV (*.csv)|*.csv";

// The dialogs open where the data file is, as 開く does; before there is
// one, where the toolkit chooses.
wxString DataFileFolder(const CVRXSheet& sheet) {
  return wxFileName(ui::FromCore(sheet.currentPath())).GetPath();
}

// The format the chosen name's extension gives, else the filter's.
ExchangeFormat ChosenFormat(const wxFileDialog& dialog) {
  const std::string path = ui::ToCore(dialog.GetPath());
  if (const auto format = ExchangeFormatOfPath(path)) return *format;
  return dialog.GetFilterIndex() == 1 ? ExchangeFormat::kCsv : ExchangeFormat::kJson;
}

void Export(CVRXSheet& sheet) {
  // The page's controls count, as for a save.
  if (!sheet.CommitActivePage()) return;
  ui::FileDialog dialog(&sheet, ui::FromCore(editor_text::ExportDialogTitle()),
                        DataFileFolder(sheet), wxString(), ui::FromCore(kExchangeFilter),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return;
  const ExchangeFormat format = ChosenFormat(dialog);
  wxFileName name(dialog.GetPath());
  if (!name.HasExt()) name.SetExt(ui::FromCore(format == ExchangeFormat::kCsv ? "csv" : "json"));
  if (!ReplaceFileContents(ui::ToPath(name.GetFullPath()), ExportConfig(format, sheet.config())))
    ui::ShowMessage(&sheet, ui::FromCore(EditorMessage(editor_msg::kFileOpenFailed)));
}

void Import(CVRXSheet& sheet) {
  // Text typed in Make or Break is taken over first (or refused), as for a
  // save: the import must not show the old codes over it.
  if (!sheet.CommitActivePage()) return;
  ui::FileDialog dialog(&sheet, ui::FromCore(editor_text::ImportDialogTitle()),
                        DataFileFolder(sheet), wxString(), ui::FromCore(kExchangeFilter),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return;
  const std::string fileName = ui::ToCore(wxFileName(dialog.GetPath()).GetFullName());
  std::string text;
  const FileReadResult read = ReadRegularFile(ui::ToPath(dialog.GetPath()), kImportFileLimit, text);
  if (read != FileReadResult::kRead) {
    ui::ShowMessage(&sheet,
                    ui::FromCore(read == FileReadResult::kTooLarge
                                     ? fileName + ": " + std::string(tool_msg::ImportFileTooLarge())
                                     : std::string(EditorMessage(editor_msg::kFileOpenFailed))));
    return;
  }
  // Over what the editor holds: a CSV changes only the keys it lists.
  ConfigImage imported = sheet.config();
  if (const auto error = ImportConfig(ChosenFormat(dialog), text, imported)) {
    ui::ShowMessage(&sheet, ui::FromCore(ImportErrorText(fileName, *error)));
    return;
  }
  sheet.ApplyImport(imported);
}

}  // namespace

void AppendExchangeEntries(wxMenu& menu) {
  menu.Append(kExportMenuId, ui::FromCore(tool_msg::ExportMenuEntry()));
  menu.Append(kImportMenuId, ui::FromCore(tool_msg::ImportMenuEntry()));
}

bool RunExchangeEntry(CVRXSheet& sheet, int id) {
  if (id == kExportMenuId)
    Export(sheet);
  else if (id == kImportMenuId)
    Import(sheet);
  else
    return false;
  return true;
}

}  // namespace vrx::editor
