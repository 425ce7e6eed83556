// When the sheet's commands ask first, and what the answers do.
#include "editor/core/sheet_rules.h"

#include <gtest/gtest.h>

namespace vrx::editor {
namespace {

constexpr ModifiedFlags kSaved{false, false, false};
constexpr ModifiedFlags kCgramChanged{false, true, false};

struct Prompt {
  int asked = 0;
  int saved = 0;
  bool Run(const ModifiedFlags& flags, PromptAnswer answer, bool saveWorks) {
    return MayDropChanges(
        flags,
        [&] {
          ++asked;
          return answer;
        },
        [&] {
          ++saved;
          return saveWorks;
        });
  }
};

TEST(SheetRules, NothingUnsavedGoesOnWithoutAsking) {
  Prompt prompt;
  EXPECT_TRUE(prompt.Run(kSaved, PromptAnswer::kCancel, false));
  EXPECT_EQ(prompt.asked, 0);
  EXPECT_EQ(prompt.saved, 0);
}

TEST(SheetRules, TheAnswerDecidesAndAFailedSaveStops) {
  struct Case {
    PromptAnswer answer;
    bool saveWorks;
    bool goesOn;
    int saves;
  };
  const Case cases[] = {{PromptAnswer::kYes, true, true, 1},
                        {PromptAnswer::kYes, false, false, 1},
                        {PromptAnswer::kNo, false, true, 0},
                        {PromptAnswer::kCancel, true, false, 0}};
  for (const Case& c : cases) {
    Prompt prompt;
    EXPECT_EQ(prompt.Run(kCgramChanged, c.answer, c.saveWorks), c.goesOn)
        << static_cast<int>(c.answer) << c.saveWorks;
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(prompt.saved, c.saves);
  }
}

TEST(SheetRules, WriteOffersASaveForChangesOrWhenNoFileIsOpen) {
  EXPECT_FALSE(OffersSaveBeforeWrite(kSaved, "/data/k.vrx"));
  EXPECT_TRUE(OffersSaveBeforeWrite(kSaved, ""));
  EXPECT_TRUE(OffersSaveBeforeWrite(kCgramChanged, "/data/k.vrx"));
  EXPECT_TRUE(AnyModified({true, false, false}));
  EXPECT_TRUE(AnyModified({false, false, true}));
  EXPECT_FALSE(AnyModified(kSaved));
}

}  // namespace
}  // namespace vrx::editor
