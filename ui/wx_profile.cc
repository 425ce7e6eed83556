#include "wx_profile.h"

#include <wx/config.h>
#include <wx/log.h>
#ifndef __WXMSW__
#include <wx/fileconf.h>
#include <wx/sstream.h>
#endif

#include <climits>
#include <system_error>

#include "message_box.h"
#include "module_path.h"
#include "settings_file.h"

namespace vrx::ui {
namespace {

constexpr const char* kVendor = "Zentrolith";

wxString KeyPath(std::string_view section, std::string_view key) {
  return wxS("/") + FromCore(section) + wxS("/") + FromCore(key);
}

// Stores the change at once, so a value survives even if the program is
// killed later.  wx would report a failed flush in an error box; the caller
// gets false instead.
bool Commit(wxConfigBase& config, bool written) {
  wxLogNull quiet;
  return config.Flush() && written;
}

}  // namespace

std::string WxConfigProfile::ReadString(std::string_view section, std::string_view key,
                                        std::string_view fallback) {
  const wxString value = config_.Read(KeyPath(section, key), FromCore(fallback));
  return std::string(value.utf8_str());
}

int WxConfigProfile::ReadInt(std::string_view section, std::string_view key, int fallback) {
  long value = 0;
  if (!config_.Read(KeyPath(section, key), &value)) return fallback;
  // Saturate rather than wrap: an out-of-range number must stay out of range.
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool WxConfigProfile::WriteString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  return Commit(config_, config_.Write(KeyPath(section, key), FromCore(value)));
}

bool WxConfigProfile::WriteInt(std::string_view section, std::string_view key, int value) {
  return Commit(config_, config_.Write(KeyPath(section, key), static_cast<long>(value)));
}

wxConfigBase* InstallProgramConfig(const std::string& programName) {
  const wxString app = FromCore(programName);
  wxConfigBase* config = nullptr;
#ifdef __WXMSW__
  config = new wxConfig(app, wxString::FromAscii(kVendor), wxEmptyString, wxEmptyString,
                        wxCONFIG_USE_LOCAL_FILE);
#else
  const std::filesystem::path file = ProfilePath(programName);
  std::error_code ignored;  // a folder we cannot create only means nothing is remembered
  std::filesystem::create_directories(file.parent_path(), ignored);
  wxLogNull quiet;  // an unreadable file starts with the defaults, without an error box
  wxFileConfig* fileConfig = nullptr;
  if (ReadSettingsFile(file)) {
    fileConfig = new wxFileConfig(app, wxString::FromAscii(kVendor),
                                  wxString::FromUTF8(file.string()), wxEmptyString,
                                  wxCONFIG_USE_LOCAL_FILE);
  } else {
    // wxFileConfig would wait on a FIFO or read a device forever: the
    // program runs with the defaults and leaves that file alone.
    wxStringInputStream nothing(wxEmptyString);
    fileConfig = new wxFileConfig(nothing);
  }
  // Every write is flushed at once (Commit); saving again at exit could only
  // repeat a failure, and then as an error box.
  fileConfig->DisableAutoSave();
  config = fileConfig;
#endif
  delete wxConfigBase::Set(config);
  return config;
}

wxConfigBase* InstallProgramConfig() { return InstallProgramConfig(ProgramName()); }

}  // namespace vrx::ui
