#include "config/program_language.h"

#include <cstdlib>
#include <string>

#include "config/language_environment.h"
#include "platform/regular_file.h"
#include "resources/message_catalog.h"
#include "resources/translation.h"

namespace vrx {
namespace {

constexpr std::string_view kSection = "Option";
constexpr std::string_view kKey = "LANGUAGE";

}  // namespace

Language ChooseProgramLanguage(std::optional<Language> profileChoice) {
  const char* variable = std::getenv("VRX_LANG");
  if (auto chosen = ExplicitLanguage(variable != nullptr ? variable : "")) return *chosen;
  if (profileChoice) return *profileChoice;
  return UserLanguage();
}

std::optional<Language> ReadLanguageChoice(ProfileStore& profile) {
  return ExplicitLanguage(profile.ReadString(kSection, kKey, ""));
}

bool WriteLanguageChoice(ProfileStore& profile, std::optional<Language> choice) {
  return profile.WriteString(kSection, kKey, choice ? LanguageValue(*choice) : "");
}

bool UseProgramLanguage(Language language) {
  // Kept for the program's lifetime: every text may point into it.
  static std::optional<MessageCatalog> catalog;
  SetProgramCatalog(nullptr);
  const std::string_view name = CatalogLanguageName(language);
  if (name.empty()) return true;
  const std::string file = std::string(kCatalogDomain) + ".mo";
  for (const auto& folder : CatalogFolders()) {
    std::string bytes;
    const auto path = folder / std::string(name) / "LC_MESSAGES" / file;
    if (ReadRegularFile(path, MessageCatalog::kMaxBytes, bytes) != FileReadResult::kRead) continue;
    if (auto parsed = MessageCatalog::Parse(std::move(bytes))) {
      catalog = std::move(parsed);
      SetProgramCatalog(&*catalog);
      return true;
    }
  }
  return false;
}

}  // namespace vrx
