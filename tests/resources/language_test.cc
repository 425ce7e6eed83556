#include "resources/language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "config/program_language.h"
#include "tests/support/memory_profile.h"

namespace vrx {
namespace {

Language FromEnvironment(const std::map<std::string, std::string>& environment) {
  return LanguageFromEnvironment([&](const char* name) -> const char* {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
  });
}

TEST(LanguageFromEnvironment, FollowsGettextsOrder) {
  using enum Language;
  // No locale at all, C and POSIX: the texts as they always were.
  EXPECT_EQ(FromEnvironment({}), kJapanese);
  EXPECT_EQ(FromEnvironment({{"LANG", "C"}}), kJapanese);
  EXPECT_EQ(FromEnvironment({{"LANG", "C.UTF-8"}}), kJapanese);
  EXPECT_EQ(FromEnvironment({{"LC_ALL", "POSIX"}, {"LANG", "en_US.UTF-8"}}), kJapanese);
  // LC_ALL before LC_MESSAGES before LANG; empty values do not count.
  EXPECT_EQ(FromEnvironment({{"LANG", "ja_JP.UTF-8"}}), kJapanese);
  EXPECT_EQ(FromEnvironment({{"LANG", "en_US.UTF-8"}}), kEnglish);
  EXPECT_EQ(FromEnvironment({{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}), kJapanese);
  EXPECT_EQ(FromEnvironment({{"LC_ALL", "de_DE.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}), kEnglish);
  EXPECT_EQ(FromEnvironment({{"LC_ALL", ""}, {"LANG", "en_GB"}}), kEnglish);
  // LANGUAGE's first entry wins over the locale, except under C.
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}), kJapanese);
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "fr:ja"}, {"LANG", "ja_JP.UTF-8"}}), kEnglish);
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "en"}, {"LANG", "C"}}), kJapanese);
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}}), kEnglish);
}

TEST(LanguageOfLocaleName, JapaneseOnlyForJapaneseAndC) {
  using enum Language;
  for (const char* name : {"ja", "ja_JP", "ja_JP.UTF-8", "ja_JP.eucJP", "ja-JP", "C", "POSIX"})
    EXPECT_EQ(LanguageOfLocaleName(name), kJapanese) << name;
  for (const char* name : {"en", "en_US.UTF-8", "de_DE", "zh_CN.UTF-8", "jam", "jv"})
    EXPECT_EQ(LanguageOfLocaleName(name), kEnglish) << name;
  EXPECT_EQ(LanguageOfLocaleName("en@pseudo"), kPseudo);
}

TEST(ProgramLanguageChoice, ProfileValuesRoundTripAndUnknownOnesAreIgnored) {
  test::MemoryProfile profile;
  EXPECT_FALSE(ReadLanguageChoice(profile).has_value());
  for (const Language language : {Language::kJapanese, Language::kEnglish, Language::kPseudo}) {
    ASSERT_TRUE(WriteLanguageChoice(profile, language));
    EXPECT_EQ(ReadLanguageChoice(profile), language);
  }
  EXPECT_EQ(profile.ReadString("Option", "LANGUAGE", "?"), "en@pseudo");
  ASSERT_TRUE(WriteLanguageChoice(profile, std::nullopt));
  EXPECT_EQ(profile.ReadString("Option", "LANGUAGE", "?"), "");
  EXPECT_FALSE(ReadLanguageChoice(profile).has_value());
  ASSERT_TRUE(profile.WriteString("Option", "LANGUAGE", "klingon"));
  EXPECT_FALSE(ReadLanguageChoice(profile).has_value());
}

}  // namespace
}  // namespace vrx
