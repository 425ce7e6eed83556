#include "ui/file_drop_target.h"
#include "ui/text_conversion.h"

#include <wx/window.h>

namespace vrx::ui {

bool FileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) {
  std::vector<std::string> paths;
  for (const wxString& file : files) paths.push_back(ToCore(file));
  if (paths.empty()) return false;
  window_.CallAfter([handler = handler_, paths] { handler(paths); });
  return true;
}

void AcceptDroppedFiles(wxWindow& window, FileDropTarget::Handler handler) {
  window.SetDropTarget(new FileDropTarget(window, std::move(handler)));
}

}  // namespace vrx::ui
