// Files dropped on a window, handed over as UTF-8 paths.  The handler runs
// after the drop has ended, so that it may show message boxes.
#pragma once

#include <wx/dnd.h>

#include <functional>
#include <string>
#include <vector>

namespace vrx::ui {

class FileDropTarget : public wxFileDropTarget {
 public:
  using Handler = std::function<void(const std::vector<std::string>& paths)>;
  FileDropTarget(wxWindow& window, Handler handler)
      : window_(window), handler_(std::move(handler)) {}

  bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

 private:
  wxWindow& window_;
  Handler handler_;
};

// Makes `window` take dropped files.
void AcceptDroppedFiles(wxWindow& window, FileDropTarget::Handler handler);

}  // namespace vrx::ui
