// Text between the core (UTF-8 in std::string) and wx (wxString).  The build
// sets wxNO_IMPLICIT_WXSTRING_ENCODING, so every crossing goes through here.
#pragma once

#include <wx/string.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/utf8_path.h"

namespace vrx::ui {

inline wxString FromCore(std::string_view utf8) {
  return wxString::FromUTF8(utf8.data(), utf8.size());
}

inline std::string ToCore(const wxString& text) { return text.utf8_string(); }

// A file name from a dialog or a drop as a path: through UTF-8, which a path
// takes as such on every platform (a plain std::string would be read in the
// ANSI code page on Windows).
inline std::filesystem::path ToPath(const wxString& text) {
  return PathFromUtf8(text.utf8_string());
}

}  // namespace vrx::ui
