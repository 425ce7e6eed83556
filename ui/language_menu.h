// The windows' "言語 / Language" entry: the user's choice of language,
// stored in the program's profile (Option/LANGUAGE) and applied from the
// next start, which the menu says.  Both the right-click menu (as a
// submenu) and the system menu (an entry that opens the same menu) offer it.
#pragma once

#include <memory>

#include "platform/profile.h"

class wxMenu;
class wxWindow;

namespace vrx::ui {

// Menu ids of the choices; clear of both windows' own commands.
inline constexpr int kLanguageMenuId = 0x0700;  // the system menu's entry
inline constexpr int kFollowSystemLanguageId = 0x0701;
inline constexpr int kJapaneseLanguageId = 0x0702;
inline constexpr int kEnglishLanguageId = 0x0703;

// The choices, the stored one checked, and the notice.
std::unique_ptr<wxMenu> CreateLanguageMenu(ProfileStore& profile);

// Appends the submenu under its entry.
void AppendLanguageMenu(wxMenu& menu, ProfileStore& profile);

// Stores the choice `id` names; false for an id that is no choice.
bool ChooseLanguage(ProfileStore& profile, int id);

// The system menu's entry: the same menu at the pointer.
void AskLanguage(wxWindow& window, ProfileStore& profile);

}  // namespace vrx::ui
