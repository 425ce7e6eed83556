#include <cstdlib>

#include "config/language_environment.h"
#include "platform/module_path.h"

namespace vrx {

Language UserLanguage() {
  return LanguageFromEnvironment([](const char* name) { return std::getenv(name); });
}

std::vector<std::filesystem::path> CatalogFolders() {
  const std::filesystem::path folder = OwnExecutablePath().parent_path();
  return {folder / "locale", folder.parent_path() / "share" / "locale"};
}

}  // namespace vrx
