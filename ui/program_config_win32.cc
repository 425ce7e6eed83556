#include <wx/msw/regconf.h>

#include "message_box.h"
#include "wx_profile.h"

namespace vrx::ui {

// HKEY_CURRENT_USER\Software\Zentrolith\<program>; every write reaches the
// registry at once.
wxConfigBase* CreateProgramConfig(const std::string& programName) {
  return new wxRegConfig(FromCore(programName), wxString::FromAscii(kProfileVendor));
}

}  // namespace vrx::ui
