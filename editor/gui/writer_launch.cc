#include "editor/gui/writer_launch.h"

#include "platform/module_path.h"
#include "platform/process_start.h"
#include "resources/message_table.h"
#include "ui/message_box.h"
#include "ui/text_conversion.h"

namespace vrx::editor {

void StartWriter(wxWindow* parent, const std::string& dataFilePath) {
  StartWriterFrom(parent, OwnExecutablePath(), dataFilePath);
}

void StartWriterFrom(wxWindow* parent, const std::filesystem::path& editorPath,
                     const std::string& dataFilePath) {
  // An editor that cannot tell its own path gives an empty program path,
  // which fails like a missing writer.
  if (StartDetachedProcess(WriterArguments(editorPath, dataFilePath)) != 0)
    ui::ShowMessage(parent, ui::FromCore(editor_msg::WriterStartFailed()));
}

}  // namespace vrx::editor
