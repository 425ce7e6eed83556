#include <wx/fileconf.h>
#include <wx/log.h>

#include <system_error>

#include "message_box.h"
#include "wx_profile.h"

namespace vrx::ui {

wxConfigBase* CreateProgramConfig(const std::string& programName) {
  const std::filesystem::path file = ProfilePath(programName);
  std::error_code ignored;  // a folder we cannot create only means nothing is remembered
  std::filesystem::create_directories(file.parent_path(), ignored);
  wxLogNull quiet;  // an unreadable file starts with the defaults, without an error box
  auto* config = new wxFileConfig(FromCore(programName), wxString::FromAscii(kProfileVendor),
                                  wxString::FromUTF8(file.string()), wxEmptyString,
                                  wxCONFIG_USE_LOCAL_FILE);
  // Every write is flushed at once (Commit); saving again at exit could only
  // repeat a failure, and then as an error box.
  config->DisableAutoSave();
  return config;
}

}  // namespace vrx::ui
