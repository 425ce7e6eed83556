#include "resources/message_catalog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/test_support.h"

namespace vrx {
namespace {

// A catalog in the compiled format, written from its layout: the header,
// the table of sources, the table of translations, then the strings each
// followed by a NUL.  Entries go in as given (msgfmt sorts them; we need not).
std::string CatalogBytes(const std::vector<std::pair<std::string, std::string>>& entries,
                         bool bigEndian = false) {
  std::string out;
  auto word = [&](uint32_t value, std::size_t at) {
    for (int i = 0; i < 4; ++i) {
      const int shift = bigEndian ? 24 - 8 * i : 8 * i;
      out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xFF);
    }
  };
  const auto count = static_cast<uint32_t>(entries.size());
  const uint32_t sources = 28;
  const uint32_t translations = sources + 8 * count;
  uint32_t strings = translations + 8 * count;
  out.assign(strings, '\0');
  word(0x950412DE, 0);
  word(0, 4);
  word(count, 8);
  word(sources, 12);
  word(translations, 16);
  for (uint32_t i = 0; i < count; ++i) {
    for (const auto& [table, text] :
         {std::pair{sources, entries[i].first}, std::pair{translations, entries[i].second}}) {
      word(static_cast<uint32_t>(text.size()), table + 8 * i);
      word(static_cast<uint32_t>(out.size()), table + 8 * i + 4);
      out += text;
      out += '\0';
    }
  }
  return out;
}

TEST(MessageCatalog, FindsEveryTranslationWhateverTheEntryOrderAndByteOrder) {
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"開く", "Open"},
      {"", "Content-Type: text/plain; charset=UTF-8\n"},
      {"保存", "Save"},
      {"\r\n接続完了\r\n", "\r\nConnected\r\n"}};
  for (const bool bigEndian : {false, true}) {
    const auto catalog = MessageCatalog::Parse(CatalogBytes(entries, bigEndian));
    ASSERT_TRUE(catalog.has_value()) << "big endian " << bigEndian;
    EXPECT_EQ(catalog->size(), 3u);  // the header is no text
    EXPECT_EQ(catalog->Find("開く"), "Open");
    EXPECT_EQ(catalog->Find("保存"), "Save");
    EXPECT_EQ(catalog->Find("\r\n接続完了\r\n"), "\r\nConnected\r\n");
    EXPECT_FALSE(catalog->Find("終了").has_value());
    EXPECT_FALSE(catalog->Find("").has_value());
    EXPECT_FALSE(catalog->Find("開").has_value());  // a prefix is another text
  }
}

TEST(MessageCatalog, UntranslatedPluralAndContextEntries) {
  const auto catalog = MessageCatalog::Parse(CatalogBytes({
      {"未訳", ""},                                    // left to the source text
      {"ひとつ\0ふたつ", std::string("one\0two", 7)},  // first form serves
      {"menu\x04開く", "Open"},                        // with a context: never asked for
  }));
  ASSERT_TRUE(catalog.has_value());
  EXPECT_FALSE(catalog->Find("未訳").has_value());
  EXPECT_EQ(catalog->Find("ひとつ"), "one");
  EXPECT_FALSE(catalog->Find("開く").has_value());
}

TEST(MessageCatalog, RefusesMalformedBytes) {
  const std::string good = CatalogBytes({{"はい", "Yes"}});
  ASSERT_TRUE(MessageCatalog::Parse(good).has_value());

  EXPECT_FALSE(MessageCatalog::Parse("").has_value());
  EXPECT_FALSE(MessageCatalog::Parse(good.substr(0, 27)).has_value());
  // Cut inside the strings: an entry's text would run past the end.
  EXPECT_FALSE(MessageCatalog::Parse(good.substr(0, good.size() - 2)).has_value());

  std::string wrongMagic = good;
  wrongMagic[0] = 'x';
  EXPECT_FALSE(MessageCatalog::Parse(wrongMagic).has_value());

  std::string newerMajorRevision = good;
  newerMajorRevision[6] = 1;
  EXPECT_FALSE(MessageCatalog::Parse(newerMajorRevision).has_value());

  std::string countBeyondFile = good;
  countBeyondFile[11] = 0x7F;
  EXPECT_FALSE(MessageCatalog::Parse(countBeyondFile).has_value());

  std::string offsetBeyondFile = good;
  offsetBeyondFile[28 + 7] = 0x7F;  // the first source's offset
  EXPECT_FALSE(MessageCatalog::Parse(offsetBeyondFile).has_value());

  std::string noTerminator = good;
  noTerminator.back() = '!';  // the last translation's NUL
  EXPECT_FALSE(MessageCatalog::Parse(noTerminator).has_value());

  std::string tooLarge = good;
  tooLarge.resize(MessageCatalog::kMaxBytes + 1);
  EXPECT_FALSE(MessageCatalog::Parse(tooLarge).has_value());
}

TEST(MessageCatalog, TextsStayValidWhenTheCatalogMoves) {
  auto parsed = MessageCatalog::Parse(CatalogBytes({{"はい", "Yes"}}));
  ASSERT_TRUE(parsed.has_value());
  const std::string_view before = *parsed->Find("はい");
  std::vector<MessageCatalog> moved;
  moved.push_back(std::move(*parsed));
  EXPECT_EQ(before, "Yes");
  EXPECT_EQ(moved.front().Find("はい")->data(), before.data());
}

// The catalog the build makes from po/en.po reads back whole.
TEST(MessageCatalog, ReadsTheBuiltEnglishCatalog) {
  const test::Bytes bytes =
      test::ReadBytes(VRX_BINARY_DIR "/locale/en/LC_MESSAGES/vrx7100-tools.mo");
  const auto catalog = MessageCatalog::Parse(std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(catalog.has_value());
  EXPECT_GT(catalog->size(), 100u);
  EXPECT_EQ(catalog->Find("書込み"), "Write");
  EXPECT_EQ(catalog->Find("\r\nブロック4を消去中．．．"), "\r\nErasing block 4...");
}

}  // namespace
}  // namespace vrx
