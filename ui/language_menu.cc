#include "ui/language_menu.h"

#include <wx/menu.h>
#include <wx/window.h>

#include <optional>

#include "config/program_language.h"
#include "resources/ui_texts.h"
#include "ui/text_conversion.h"

namespace vrx::ui {
namespace {

struct Choice {
  int id;
  std::optional<Language> language;
};
constexpr Choice kChoices[] = {{kFollowSystemLanguageId, std::nullopt},
                               {kJapaneseLanguageId, Language::kJapanese},
                               {kEnglishLanguageId, Language::kEnglish}};

std::string_view ChoiceLabel(const Choice& choice) {
  if (!choice.language) return ui_text::FollowSystemLanguage();
  return choice.language == Language::kJapanese ? ui_text::JapaneseLanguageName()
                                                : ui_text::EnglishLanguageName();
}

}  // namespace

std::unique_ptr<wxMenu> CreateLanguageMenu(ProfileStore& profile) {
  const std::optional<Language> stored = ReadLanguageChoice(profile);
  auto menu = std::make_unique<wxMenu>();
  for (const Choice& choice : kChoices)
    menu->AppendRadioItem(choice.id, FromCore(ChoiceLabel(choice)))
        ->Check(choice.language == stored);
  // The pseudo-translation (VRX_LANG or the profile only) checks no entry.
  menu->AppendSeparator();
  menu->Append(wxID_ANY, FromCore(ui_text::LanguageChangeNotice()))->Enable(false);
  return menu;
}

void AppendLanguageMenu(wxMenu& menu, ProfileStore& profile) {
  menu.AppendSubMenu(CreateLanguageMenu(profile).release(), FromCore(ui_text::LanguageMenuEntry()));
}

bool ChooseLanguage(ProfileStore& profile, int id) {
  for (const Choice& choice : kChoices) {
    if (choice.id != id) continue;
    WriteLanguageChoice(profile, choice.language);
    return true;
  }
  return false;
}

void AskLanguage(wxWindow& window, ProfileStore& profile) {
  const std::unique_ptr<wxMenu> menu = CreateLanguageMenu(profile);
  ChooseLanguage(profile, window.GetPopupMenuSelectionFromUser(*menu));
}

}  // namespace vrx::ui
