// Which language the programs speak: Japanese (the texts as written) or a
// translation.  English serves every language without a translation of its
// own; the pseudo-translation only checks that layouts fit longer texts.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace vrx {

enum class Language { kJapanese, kEnglish, kPseudo };

// The value of VRX_LANG and of the profile's Option/LANGUAGE: "ja", "en" or
// "en@pseudo"; nothing for an empty or unknown value (the user's language
// then decides).
std::optional<Language> ExplicitLanguage(std::string_view value);
// The value stored for a choice ("ja", "en", "en@pseudo").
std::string_view LanguageValue(Language language);

// The language of a locale name as POSIX spells it ("ja_JP.UTF-8",
// "en_GB", "de"): Japanese for "ja..." and for "C"/"POSIX" (the programs'
// texts as they always were), English for anything else.
Language LanguageOfLocaleName(std::string_view name);

// The user's language from the environment as gettext reads it: the
// locale from LC_ALL, else LC_MESSAGES, else LANG; LANGUAGE's first entry
// takes precedence unless that locale is C or POSIX (or unset).
Language LanguageFromEnvironment(const std::function<const char*(const char*)>& variable);

// The catalog's folder name under locale/ ("en", "en@pseudo"); "" for
// Japanese, which needs none.
std::string_view CatalogLanguageName(Language language);

// The catalogs' file name without ".mo".
inline constexpr std::string_view kCatalogDomain = "vrx7100-tools";

}  // namespace vrx
