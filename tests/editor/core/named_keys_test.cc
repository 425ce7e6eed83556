#include "editor/core/named_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "config/code_text.h"
#include "editor/core/capture_table.h"

namespace vrx::editor {
namespace {

const NamedKey* ByName(const std::string& name, KeyGroup group) {
  for (const NamedKey& key : NamedKeys())
    if (key.name == name && key.group == group) return &key;
  return nullptr;
}

// A sample of every group, read off the published scan code set 2 tables
// (make, break), independent of how the table is written.
TEST(NamedKeys, SampleOfEveryGroupMatchesThePublishedSet2Tables) {
  struct Published {
    const char* name;
    KeyGroup group;
    const char* make;
    const char* breakCode;
  };
  const Published published[] = {
      {"A", KeyGroup::kTyping, "1C", "F0,1C"},
      {"0", KeyGroup::kTyping, "45", "F0,45"},
      {"Backspace", KeyGroup::kTyping, "66", "F0,66"},
      {"右Shift", KeyGroup::kModifier, "59", "F0,59"},
      {"右Ctrl", KeyGroup::kModifier, "E0,14", "E0,F0,14"},
      {"CapsLock", KeyGroup::kModifier, "58", "F0,58"},
      {"↑", KeyGroup::kNavigation, "E0,75", "E0,F0,75"},
      {"PageDown", KeyGroup::kNavigation, "E0,7A", "E0,F0,7A"},
      {"F7", KeyGroup::kFunction, "83", "F0,83"},
      {"F11", KeyGroup::kFunction, "78", "F0,78"},
      {"テンキーEnter", KeyGroup::kNumpad, "E0,5A", "E0,F0,5A"},
      {"テンキー/", KeyGroup::kNumpad, "E0,4A", "E0,F0,4A"},
      {"変換", KeyGroup::kJapanese, "64", "F0,64"},
      {"無変換", KeyGroup::kJapanese, "67", "F0,67"},
      {"カタカナひらがな", KeyGroup::kJapanese, "13", "F0,13"},
      {"半角/全角", KeyGroup::kJapanese, "0E", "F0,0E"},
      {"¥", KeyGroup::kJapanese, "6A", "F0,6A"},
      {"ろ", KeyGroup::kJapanese, "51", "F0,51"},
      {"PrintScreen", KeyGroup::kSystem, "E0,12,E0,7C", "E0,F0,7C,E0,F0,12"},
      {"Alt+PrintScreen (SysRq)", KeyGroup::kSystem, "84", "F0,84"},
      {"Pause", KeyGroup::kSystem, "E1,14,77,E1,F0,14,F0,77", ""},
      {"Ctrl+Pause (Break)", KeyGroup::kSystem, "E0,7E,E0,F0,7E", ""},
      {"左Windows", KeyGroup::kWindows, "E0,1F", "E0,F0,1F"},
      {"右Windows", KeyGroup::kWindows, "E0,27", "E0,F0,27"},
      {"アプリケーション", KeyGroup::kWindows, "E0,2F", "E0,F0,2F"},
      {"Power", KeyGroup::kAcpi, "E0,37", "E0,F0,37"},
      {"Sleep", KeyGroup::kAcpi, "E0,3F", "E0,F0,3F"},
      {"Wake", KeyGroup::kAcpi, "E0,5E", "E0,F0,5E"},
      {"Next Track", KeyGroup::kMultimedia, "E0,4D", "E0,F0,4D"},
      {"Previous Track", KeyGroup::kMultimedia, "E0,15", "E0,F0,15"},
      {"Play/Pause", KeyGroup::kMultimedia, "E0,34", "E0,F0,34"},
      {"Mute", KeyGroup::kMultimedia, "E0,23", "E0,F0,23"},
      {"Volume Up", KeyGroup::kMultimedia, "E0,32", "E0,F0,32"},
      {"Volume Down", KeyGroup::kMultimedia, "E0,21", "E0,F0,21"},
      {"Calculator", KeyGroup::kMultimedia, "E0,2B", "E0,F0,2B"},
      {"Mail", KeyGroup::kMultimedia, "E0,48", "E0,F0,48"},
      {"Browser Back", KeyGroup::kMultimedia, "E0,38", "E0,F0,38"},
      {"Browser Home", KeyGroup::kMultimedia, "E0,3A", "E0,F0,3A"},
  };
  std::set<KeyGroup> groups;
  for (const Published& expected : published) {
    SCOPED_TRACE(expected.name);
    const NamedKey* key = ByName(expected.name, expected.group);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->makeCode, expected.make);
    EXPECT_EQ(key->breakCode, expected.breakCode);
    groups.insert(expected.group);
  }
  EXPECT_EQ(groups.size(), 10u) << "every group is sampled";
  EXPECT_FALSE(ByName("Pause", KeyGroup::kSystem)->typematic);
  EXPECT_FALSE(ByName("Power", KeyGroup::kAcpi)->typematic);
}

// Choosing a key from the list must give what capturing it gives.
TEST(NamedKeys, EveryCaptureTableKeyIsListedWithTheSameCodes) {
  int captured = 0;
  for (unsigned virtualKey = 0; virtualKey <= 0xFF; ++virtualKey) {
    const auto codes = TranslateCapturedKey(virtualKey);
    if (!codes) continue;
    ++captured;
    SCOPED_TRACE(virtualKey);
    const NamedKey* key = NamedKeyForMakeCode(codes->makeCode);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->makeCode, codes->makeCode);
    EXPECT_EQ(key->breakCode, codes->breakCode);
    EXPECT_EQ(key->typematic, codes->typematic);
  }
  EXPECT_GT(captured, 100);
}

TEST(NamedKeys, EveryEntryIsCanonicalAndFindable) {
  for (const NamedKey& key : NamedKeys()) {
    SCOPED_TRACE(key.name);
    const std::vector<uint8_t> make = CodeTextBytes(key.makeCode);
    ASSERT_FALSE(make.empty());
    EXPECT_EQ(BytesToCodeText(make.data(), static_cast<int>(make.size())), key.makeCode);
    EXPECT_TRUE(key.breakCode.empty() || IsValidCodeText(key.breakCode));
    EXPECT_FALSE(KeyGroupName(key.group).empty());
  }
  // Any spelling of a code finds its first name.
  ASSERT_NE(NamedKeyForMakeCode("0xe0,075"), nullptr);
  EXPECT_EQ(NamedKeyForMakeCode("0xe0,075")->name, "↑");
  EXPECT_EQ(NamedKeyForMakeCode("58")->name, "英数");
  EXPECT_EQ(NamedKeyForMakeCode("E0,1E"), nullptr);
  EXPECT_EQ(NamedKeyForMakeCode("E0,,75"), nullptr);
}

TEST(NamedKeys, SearchMatchesNamesAndCodesIgnoringCase) {
  auto names = [](std::string_view query) {
    std::set<std::string> found;
    for (const NamedKey* key : FindNamedKeys(query)) found.insert(key->name);
    return found;
  };
  EXPECT_EQ(names("volume"), (std::set<std::string>{"Volume Up", "Volume Down"}));
  EXPECT_EQ(names("  VOLUME UP "), (std::set<std::string>{"Volume Up"}));
  EXPECT_TRUE(names("e0,7e").count("Ctrl+Pause (Break)"));
  EXPECT_TRUE(names("windows").count("右Windows"));
  EXPECT_EQ(FindNamedKeys("").size(), NamedKeys().size());
  EXPECT_TRUE(FindNamedKeys("no such key").empty());
}

}  // namespace
}  // namespace vrx::editor
