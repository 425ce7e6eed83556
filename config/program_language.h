// The language a program speaks, chosen once at its start: VRX_LANG if set
// to a known value, else the choice stored in the profile (Option/LANGUAGE,
// the windows' "言語 / Language" menu), else the user's language.
#pragma once

#include <optional>
#include <string_view>

#include "platform/profile.h"
#include "resources/language.h"

namespace vrx {

Language ChooseProgramLanguage(std::optional<Language> profileChoice);

// Option/LANGUAGE; nothing when unset or unknown.
std::optional<Language> ReadLanguageChoice(ProfileStore& profile);
// Stores the choice; nothing stores "", which follows the user's language
// again (false when it could not be stored).
bool WriteLanguageChoice(ProfileStore& profile, std::optional<Language> choice);

// Loads the language's catalog and makes it the program's (translation.h).
// False when a translation was wanted and no readable catalog was found: the
// texts then stay Japanese.  Call before any text is used.
bool UseProgramLanguage(Language language);

}  // namespace vrx
