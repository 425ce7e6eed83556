#include "resources/translation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/program_language.h"
#include "resources/message_catalog.h"
#include "resources/message_table.h"
#include "resources/readback_texts.h"
#include "resources/ui_texts.h"
#include "resources/writer_log_texts.h"

namespace vrx {
namespace {

// The program's language for one test, back to the sources after it.
class ProgramLanguage : public ::testing::Test {
 protected:
  void TearDown() override { UseProgramLanguage(Language::kJapanese); }
};

TEST_F(ProgramLanguage, JapaneseIsTheSourceTextItself) {
  ASSERT_TRUE(UseProgramLanguage(Language::kJapanese));
  EXPECT_EQ(ui_text::WriteButton(), "書込み");
  EXPECT_EQ(WriterMessage(writer_msg::kEraseFailed), "フラッシュの消去でエラーが発生しました。");
  EXPECT_EQ(writer_log::Loaded("keys.vrx"), "\r\nkeys.vrx ファイルを正常にロードしました。\r\n");
}

// The build puts the catalogs beside the test, where a program finds them.
TEST_F(ProgramLanguage, EnglishComesFromTheCatalog) {
  ASSERT_TRUE(UseProgramLanguage(Language::kEnglish));
  EXPECT_EQ(ui_text::WriteButton(), "Write");
  EXPECT_EQ(ui_text::Yes(), "Yes");
  EXPECT_EQ(WriterMessage(writer_msg::kEraseFailed), "An error occurred while erasing the flash.");
  EXPECT_EQ(writer_log::Loaded("keys.vrx"), "\r\nData file loaded: keys.vrx\r\n");
  EXPECT_EQ(std::string(writer_log::ErasingBlock4()) + std::string(writer_log::StepDone()),
            "\r\nErasing block 4... done\r\n");
  // A text the catalog lacks stays as written.
  EXPECT_EQ(Tr("どこにもない文"), "どこにもない文");
}

TEST_F(ProgramLanguage, PseudoTranslationIsLongerAndBracketed) {
  ASSERT_TRUE(UseProgramLanguage(Language::kPseudo));
  const std::string_view write = ui_text::WriteButton();
  EXPECT_EQ(write.front(), '[');
  EXPECT_EQ(write.back(), ']');
  EXPECT_GE(write.size(), std::string_view("Write").size() * 14 / 10 + 2);
  // Line breaks stay outside the brackets, placeholders are filled.
  EXPECT_EQ(writer_log::Loaded("keys.vrx").substr(0, 3), "\r\n[");
  EXPECT_NE(writer_log::Loaded("keys.vrx").find("keys.vrx"), std::string::npos);
}

// vrxtool --json names each log line the same way in every language.
TEST_F(ProgramLanguage, LogLinesKeepTheirIdsInEveryLanguage) {
  for (const Language language : {Language::kJapanese, Language::kEnglish, Language::kPseudo}) {
    ASSERT_TRUE(UseProgramLanguage(language));
    SCOPED_TRACE(std::string(ui_text::WriteButton()));
    EXPECT_EQ(writer_log::LineId(writer_log::Connected()), "connected");
    EXPECT_EQ(writer_log::LineId(writer_log::ErasingBlock4()), "erasing-block-4");
    EXPECT_EQ(writer_log::LineId(writer_log::WritingBlock4()), "writing-block-4");
    EXPECT_EQ(writer_log::LineId(writer_log::StepDone()), "step-done");
    EXPECT_EQ(writer_log::LineId(writer_log::Loaded("keys.vrx")), "loaded");
    EXPECT_EQ(writer_log::LineId("\r\n" + std::string(readback_text::Verified()) + "\r\n"),
              "verified");
    EXPECT_EQ(writer_log::LineId("\r\n"), "");
    EXPECT_EQ(writer_log::LineId("keys.vrx"), "");
    EXPECT_EQ(writer_log::LineId(""), "");
  }
}

TEST(TrFormat, FillsPlaceholdersInTheTranslationsOrder) {
  EXPECT_EQ(TrFormat("{0} と {1}", {"a", "b"}), "a と b");
  EXPECT_EQ(TrFormat("{1}{0}{1}", {"a", "b"}), "bab");
  // Braces that name no argument, and arguments holding braces, stay text.
  EXPECT_EQ(TrFormat("{2} {x} {", {"a", "b"}), "{2} {x} {");
  EXPECT_EQ(TrFormat("{0}", {"{0}{1}"}), "{0}{1}");
  EXPECT_EQ(TrFormat("", {"a"}), "");
}

}  // namespace
}  // namespace vrx
