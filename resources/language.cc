#include "resources/language.h"

namespace vrx {
namespace {

std::string_view NonEmpty(const char* value) { return value != nullptr ? value : ""; }

bool IsPlainCLocale(std::string_view name) {
  return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

}  // namespace

std::optional<Language> ExplicitLanguage(std::string_view value) {
  if (value == "ja") return Language::kJapanese;
  if (value == "en") return Language::kEnglish;
  if (value == "en@pseudo") return Language::kPseudo;
  return std::nullopt;
}

std::string_view LanguageValue(Language language) {
  switch (language) {
    case Language::kJapanese:
      return "ja";
    case Language::kEnglish:
      return "en";
    case Language::kPseudo:
      return "en@pseudo";
  }
  return "ja";
}

Language LanguageOfLocaleName(std::string_view name) {
  if (IsPlainCLocale(name)) return Language::kJapanese;
  if (name == "en@pseudo") return Language::kPseudo;
  // "ja", "ja_JP", "ja_JP.UTF-8", "ja_JP.eucJP@modifier", but not "jam".
  if (name.starts_with("ja") &&
      (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@' || name[2] == '-'))
    return Language::kJapanese;
  return Language::kEnglish;
}

Language LanguageFromEnvironment(const std::function<const char*(const char*)>& variable) {
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = NonEmpty(variable(name));
    if (!locale.empty()) break;
  }
  if (IsPlainCLocale(locale)) return Language::kJapanese;
  const std::string_view list = NonEmpty(variable("LANGUAGE"));
  const std::string_view first = list.substr(0, list.find(':'));
  return LanguageOfLocaleName(first.empty() ? locale : first);
}

std::string_view CatalogLanguageName(Language language) {
  return language == Language::kJapanese ? std::string_view() : LanguageValue(language);
}

}  // namespace vrx
