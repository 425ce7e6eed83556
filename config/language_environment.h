// What the operating system says about languages: the user's language, and
// the folders that may hold the programs' catalogs
// (<folder>/<language>/LC_MESSAGES/vrx7100-tools.mo).
#pragma once

#include <filesystem>
#include <vector>

#include "resources/language.h"

namespace vrx {

// Linux: the environment, as gettext reads it.  Windows: the user's display
// language.
Language UserLanguage();

// Searched in this order.  Linux: locale/ beside the executable (the build
// tree), then ../share/locale (the installed programs).  Windows: locale/
// beside the executable.
std::vector<std::filesystem::path> CatalogFolders();

}  // namespace vrx
