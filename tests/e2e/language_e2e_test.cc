// vrxtool in the user's language: the same Write under English, Japanese and
// the C locale prints each language's log lines while the module is
// programmed with the same bytes, and a data file holds the same bytes
// under each.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"
#include "tests/support/expected_conversation.h"
#include "tests/support/test_support.h"

namespace vrx::test {
namespace {


std::string WithLf(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

// Any character of the Japanese scripts, kana, kanji and full-width forms
// (all encoded from E3 80 80 to EF BF BF in UTF-8).
bool HasJapanese(const std::string& text) {
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xE3 && lead <= 0xEF) return true;
  }
  return false;
}

// The environment of one run: the locale variables as a user's shell sets
// them, VRX_LANG empty so that they decide.
std::vector<std::string> Locale(const std::string& lang, const std::string& vrxLang = "") {
  return {"VRX_LANG=" + vrxLang, "LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG=" + lang};
}

const std::string kEnglishLog =
    "\nData file loaded: keys.vrx\n"
    "\nConnected\n"
    "\nErasing block 0... done\n"
    "\nWriting block 0... done\n"
    "\nErasing block 4... done\n"
    "\nWriting block 4.............. done\n"
    "\nWrite completed successfully.\n";

std::string JapaneseLog() {
  return "\nkeys.vrx ファイルを正常にロードしました。\n" + WithLf(ExpectedSuccessLog(true));
}

struct LocaleRun {
  const char* lang;
  bool english;
};

class ProgramUnderLocale : public ::testing::TestWithParam<LocaleRun> {};

// One Write per locale: the log in that language, the same bytes in the
// module's flash (the firmware and the data file, as in every language).
TEST_P(ProgramUnderLocale, SpeaksTheUsersLanguageAndWritesTheSameBytes) {
  WriteFiles files;
  auto simulator = StartSimulator({});
  std::vector<std::string> env = Locale(GetParam().lang);
  env.push_back("XDG_CONFIG_HOME=" + (files.dir / "config").string());
  const ProcessResult result =
      RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                  "--container", files.container.string()},
                 env, std::chrono::minutes(3));
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, GetParam().english ? kEnglishLog : JapaneseLog());
  EXPECT_EQ(result.err, "");
  if (GetParam().english) {
    EXPECT_FALSE(HasJapanese(result.out + result.err));
  }

  ASSERT_TRUE(EventuallyTrue([&] { return simulator->HostCloses() > 0; }));
  const sim::FlashBytes flash = simulator->Flash();
  EXPECT_TRUE(std::equal(files.firmware.begin(), files.firmware.begin() + 0x400, flash.begin()));
  EXPECT_TRUE(
      std::equal(files.firmware.begin() + 0x1000, files.firmware.end(), flash.begin() + 0x1000));
}

INSTANTIATE_TEST_SUITE_P(Locales, ProgramUnderLocale,
                         ::testing::Values(LocaleRun{"en_US.UTF-8", true},
                                           LocaleRun{"ja_JP.UTF-8", false}, LocaleRun{"C", false}),
                         [](const auto& param) {
                           return std::string(param.index == 0   ? "English"
                                              : param.index == 1 ? "Japanese"
                                                                : "C");
                         });

TEST(LanguageEndToEnd, FailuresAndDataFilesUnderEachLanguage) {
  ScratchFolder folder{"vrx-language"};
  std::optional<Bytes> firstFile;
  for (const auto& [env, expected] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {Locale("en_US.UTF-8"), ": Not a 32768-byte flash image.\n"},
           {Locale("ja_JP.UTF-8"), ": 32768バイトのフラッシュイメージではありません。\n"},
           {Locale("C"), ": 32768バイトのフラッシュイメージではありません。\n"},
           {Locale(""), ": 32768バイトのフラッシュイメージではありません。\n"},
           {Locale("en_US.UTF-8", "ja"), ": 32768バイトのフラッシュイメージではありません。\n"},
           {Locale("C", "en"), ": Not a 32768-byte flash image.\n"},
           {Locale("ja_JP.UTF-8", "en"), ": Not a 32768-byte flash image.\n"},
           {Locale("de_DE.UTF-8"), ": Not a 32768-byte flash image.\n"}}) {
    SCOPED_TRACE(env.front() + " " + env.back());
    const auto data = folder.path() / "fresh.vrx";
    const ProcessResult made = RunProcess({kVrxtool, "new", data.string()}, env);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const Bytes bytes = ReadBytes(data);
    if (!firstFile) firstFile = bytes;
    EXPECT_EQ(bytes, *firstFile);

    // A failure's text and exit status.
    const ProcessResult refused =
        RunProcess({kVrxtool, "extract", data.string(), (folder.path() / "out.vrx").string()}, env);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, data.string() + expected);
  }
}

}  // namespace
}  // namespace vrx::test
