// When the sheet's commands ask first, what the answers do, and what counts
// as an unsaved change.
#include "editor/core/sheet_rules.h"

#include <gtest/gtest.h>

namespace vrx::editor {
namespace {

struct Prompt {
  int asked = 0;
  int saved = 0;
  bool Run(bool modified, PromptAnswer answer, bool saveWorks) {
    return MayDropChanges(
        modified,
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
  EXPECT_TRUE(prompt.Run(false, PromptAnswer::kCancel, false));
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
    EXPECT_EQ(prompt.Run(true, c.answer, c.saveWorks), c.goesOn)
        << static_cast<int>(c.answer) << c.saveWorks;
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(prompt.saved, c.saves);
  }
}

TEST(SheetRules, WriteOffersASaveForChangesOrWhenNoFileIsOpen) {
  EXPECT_FALSE(OffersSaveBeforeWrite(false, "/data/k.vrx"));
  EXPECT_TRUE(OffersSaveBeforeWrite(false, ""));
  EXPECT_TRUE(OffersSaveBeforeWrite(true, "/data/k.vrx"));
}

TEST(SheetRules, AChangeIsWhatTheFileWouldHoldDifferently) {
  ConfigImage saved;
  saved.keys[20].makeCode = "2B";
  ConfigImage present = saved;
  EXPECT_FALSE(DiffersFromSaved(present, saved));

  // The same codes written otherwise are stored alike.
  present.keys[20].makeCode = "002b";
  EXPECT_FALSE(DiffersFromSaved(present, saved));
  // A key without a make code loses its typematic flag in the file.
  present.keys[21].typematic = false;
  EXPECT_FALSE(DiffersFromSaved(present, saved));

  struct Edit {
    const char* what;
    void (*apply)(ConfigImage&);
  };
  const Edit edits[] = {
      {"make code", [](ConfigImage& c) { c.keys[20].makeCode = "2C"; }},
      {"break code", [](ConfigImage& c) { c.keys[127].breakCode = "F0,1C"; }},
      {"typematic of a key with a code", [](ConfigImage& c) { c.keys[20].typematic = false; }},
      {"a dot", [](ConfigImage& c) { c.cgram[63] ^= 0x01; }},
      {"an option bit", [](ConfigImage& c) { c.optionWord ^= 0x40; }},
      {"the speed", [](ConfigImage& c) { c.brrValue = 0x0A; }},
      {"a PO level", [](ConfigImage& c) { c.poInitial ^= 0x80; }},
  };
  for (const Edit& edit : edits) {
    ConfigImage changed = saved;
    edit.apply(changed);
    EXPECT_TRUE(DiffersFromSaved(changed, saved)) << edit.what;
  }
}

}  // namespace
}  // namespace vrx::editor
