// The key map page's selection, validation and activation rules.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "editor/gui/key_matrix.h"
#include "tests/editor/gui/key_map_fixture.h"
#include "tests/support/gui/dialog_script.h"

namespace vrx::editor::test {
namespace {

using vrx::test::DialogScript;

constexpr const char* kBadInput = "入力データに誤まりがあります。";

TEST_F(KeyMapPageTest, StartsOnKeyOneWithEmptyTypematicKey) {
  EXPECT_EQ(page_->selectedKey(), 0);
  EXPECT_EQ(page_->keyMatrix()->selection(), 0);
  EXPECT_EQ(NumberShown(), "1");
  EXPECT_EQ(page_->numberList()->GetCount(), 128u);
  EXPECT_EQ(page_->numberList()->GetString(127), wxS("128"));
  EXPECT_EQ(Text(page_->makeBox()), "");
  EXPECT_EQ(Text(page_->breakBox()), "");
  EXPECT_TRUE(page_->typematicBox()->GetValue());
  EXPECT_FALSE(page_->captureOn());
}

TEST_F(KeyMapPageTest, ClickingAKeyStoresTheTextsAndShowsTheNewKey) {
  config_.keys[16] = {false, "1C", "F0,1C"};
  Type(page_->makeBox(), "E0,75");
  Type(page_->breakBox(), "e0 f0-75");  // stored as typed
  ClickKey(16);                         // row 1, column 0
  EXPECT_EQ(config_.keys[0].makeCode, "E0,75");
  EXPECT_EQ(config_.keys[0].breakCode, "e0 f0-75");
  EXPECT_EQ(page_->selectedKey(), 16);
  EXPECT_EQ(page_->keyMatrix()->selection(), 16);
  EXPECT_EQ(NumberShown(), "17");
  EXPECT_EQ(Text(page_->makeBox()), "1C");
  EXPECT_EQ(Text(page_->breakBox()), "F0,1C");
  EXPECT_FALSE(page_->typematicBox()->GetValue());
}

TEST_F(KeyMapPageTest, ChoosingANumberSelectsThatKey) {
  config_.keys[99].makeCode = "5A";
  ChooseNumber(100);
  EXPECT_EQ(page_->selectedKey(), 99);
  EXPECT_EQ(page_->keyMatrix()->selection(), 99);
  EXPECT_EQ(Text(page_->makeBox()), "5A");
}

TEST_F(KeyMapPageTest, NumberListOpensAsAGridNotAScreenTallMenu) {
  // GTK lays a wrapped list out in columns: the 128 numbers in 16 rows.
  using GetWrapWidth = int(void*);
  auto* getWrapWidth =
      reinterpret_cast<GetWrapWidth*>(dlsym(RTLD_DEFAULT, "gtk_combo_box_get_wrap_width"));
  ASSERT_NE(getWrapWidth, nullptr);
  EXPECT_EQ(getWrapWidth(page_->numberList()->GetHandle()), 8);
  ChooseNumber(17);  // choosing from the grid still selects the key
  EXPECT_EQ(page_->selectedKey(), 16);
}

TEST_F(KeyMapPageTest, RefusedTextsKeepSelectionAndTextAndStoreNothing) {
  config_.keys[0] = {true, "11", "F0,11"};
  page_->ShowSelectedKey();
  struct Case {
    const char* make;
    const char* brk;
  };
  // A valid make is not stored either when the break is refused; a
  // double-byte space counts as two separators; a text with no Shift_JIS
  // form is refused instead of being mangled.
  for (const Case& bad : {Case{"E0,,75", ""}, Case{"1C", "F0,,1C"}, Case{"E0　75", ""},
                          Case{"1C😀", ""}, Case{"100", ""}}) {
    SCOPED_TRACE(bad.make);
    Type(page_->makeBox(), bad.make);
    Type(page_->breakBox(), bad.brk);
    {
      DialogScript script;
      script.ExpectMessage(kBadInput).ExpectMessage(kBadInput);
      ClickKey(37);
      ChooseNumber(5);
    }
    EXPECT_EQ(page_->selectedKey(), 0);
    EXPECT_EQ(page_->keyMatrix()->selection(), 0);
    EXPECT_EQ(NumberShown(), "1");
    EXPECT_EQ(Text(page_->makeBox()), bad.make);
    EXPECT_EQ(Text(page_->breakBox()), bad.brk);
    EXPECT_EQ(config_.keys[0].makeCode, "11");
    EXPECT_EQ(config_.keys[0].breakCode, "F0,11");
  }
  // Corrected, the same click goes through.
  Type(page_->makeBox(), "E0 75");
  Type(page_->breakBox(), "");
  ClickKey(37);
  EXPECT_EQ(page_->selectedKey(), 37);
  EXPECT_EQ(config_.keys[0].makeCode, "E0 75");
}

TEST_F(KeyMapPageTest, LeavingAndSavingCommitOrRefuse) {
  Type(page_->makeBox(), "E0,");
  {
    DialogScript script;
    script.ExpectMessage(kBadInput);
    EXPECT_FALSE(page_->OnKillActive());
  }
  {
    DialogScript script;  // the sheet shows the message for a save
    EXPECT_FALSE(page_->CommitBeforeSave());
  }
  EXPECT_EQ(config_.keys[0].makeCode, "");
  EXPECT_EQ(Text(page_->makeBox()), "E0,");

  Type(page_->makeBox(), "0x1F,0FF");
  EXPECT_TRUE(page_->CommitBeforeSave());
  EXPECT_EQ(config_.keys[0].makeCode, "0x1F,0FF");
  Type(page_->breakBox(), "F0,1F");
  EXPECT_TRUE(page_->OnKillActive());
  EXPECT_EQ(config_.keys[0].breakCode, "F0,1F");
}

TEST_F(KeyMapPageTest, TypematicClickChangesOnlyTheSelectedKeysFlag) {
  ChooseNumber(3);
  Type(page_->makeBox(), "E0,,75");  // not validated by the click
  ClickTypematic();
  EXPECT_FALSE(config_.keys[2].typematic);
  EXPECT_EQ(config_.keys[2].makeCode, "");
  for (int key = 0; key < kKeyCount; ++key) {
    if (key != 2) {
      EXPECT_TRUE(config_.keys[static_cast<size_t>(key)].typematic) << key;
    }
  }
  ClickTypematic();
  EXPECT_TRUE(config_.keys[2].typematic);
}

TEST_F(KeyMapPageTest, ActivationShowsCodesLoadedMeanwhile) {
  ChooseNumber(9);
  for (const char* loadedMake : {"1B", "2A"}) {
    SCOPED_TRACE(loadedMake);
    ASSERT_TRUE(page_->OnKillActive());
    // Another page is active while a file is loaded.
    config_.keys[8] = {!config_.keys[8].typematic, loadedMake, "F0,1B"};
    page_->OnSetActive();
    EXPECT_EQ(NumberShown(), "9");
    EXPECT_EQ(Text(page_->makeBox()), config_.keys[8].makeCode);
    EXPECT_EQ(page_->typematicBox()->GetValue(), config_.keys[8].typematic);
    // Leaving again keeps the loaded codes.
    const std::string loaded = config_.keys[8].makeCode;
    ASSERT_TRUE(page_->OnKillActive());
    EXPECT_EQ(config_.keys[8].makeCode, loaded);
  }
}

TEST_F(KeyMapPageTest, PendingTextsAreWhatASaveWouldStore) {
  ChooseNumber(6);
  Type(page_->makeBox(), "33");
  ConfigImage pending = config_;
  ASSERT_TRUE(page_->PendingInto(pending));
  EXPECT_EQ(pending.keys[5].makeCode, "33");
  EXPECT_EQ(config_.keys[5].makeCode, "") << "nothing is taken over yet";
  Type(page_->breakBox(), "5A2A");
  EXPECT_FALSE(page_->PendingInto(pending)) << "a byte above FF cannot be stored";
}

TEST_F(KeyMapPageTest, CodesAreKeptAsShiftJisAndShownAsText) {
  Type(page_->makeBox(), "1c");
  ClickKey(1);
  EXPECT_EQ(config_.keys[0].makeCode, "1c");
  ClickKey(0);
  EXPECT_EQ(Text(page_->makeBox()), "1c");
  // Bytes that are no valid Shift_JIS still show, as replacement characters.
  config_.keys[0].makeCode = "\x81";
  page_->ShowSelectedKey();
  EXPECT_EQ(Text(page_->makeBox()), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vrx::editor::test
