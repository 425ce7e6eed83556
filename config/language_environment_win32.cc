#include <windows.h>

#include "config/language_environment.h"
#include "platform/module_path.h"

namespace vrx {

Language UserLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::kJapanese
                                                                    : Language::kEnglish;
}

std::vector<std::filesystem::path> CatalogFolders() {
  return {OwnExecutablePath().parent_path() / "locale"};
}

}  // namespace vrx
