// vrxtool read, verify and program --verify/--json against the simulated
// module: the exact conversation, the files and texts a user gets.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

#include <unistd.h>

#include "config/data_file.h"
#include "resources/program_usage.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"
#include "tests/support/expected_conversation.h"
#include "writer/firmware_container.h"

namespace vrx::test {
namespace {


std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The image a Write of the test files programs, built in-process.
sim::FlashBytes WrittenImage(const WriteFiles& files) {
  FlashImage image{};
  EXPECT_EQ(ReadFirmwarePayload(files.container, image), ContainerResult::kOk);
  EXPECT_EQ(LoadConfigIntoFlashImage(files.dataFile.string(), image), DataFileError::kNone);
  return image;
}

// Into the loader from the application at `rate`, as a Write does.
ConversationBuilder EnteredFromApplication(int rate) {
  ConversationBuilder conversation(rate);
  conversation.Exchange(0xC4, 0xFA).Exchange(0xC3, 0xFA).Exchange(0x3C, 0xFA);
  conversation.SetRate(38400);
  return conversation;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(ReadBack, ReadTakesTheWholeFlashInsideALoaderSession) {
  WriteFiles files;
  sim::SimulatorOptions options;
  options.initialFlash = TestImage();
  auto simulator = StartSimulator(options);
  const auto out = files.dir / "backup.bin";

  const ProcessResult result = RunProcess(
      {kVrxtool, "read", "--port", simulator->DevicePath(), "--speed", "1", out.string()});

  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");  // no progress bar: stderr is no terminal
  const sim::FlashBytes flash = TestImage();
  EXPECT_EQ(ReadBytes(out), std::vector<uint8_t>(flash.begin(), flash.end()));
  ConversationBuilder expected = EnteredFromApplication(9600);
  for (uint32_t address = 0; address < 0x8000; address += 128)
    expected.ReadRecord(static_cast<uint16_t>(address), flash);
  expected.Exchange(0x5D, 0x5D);
  const sim::Transcript actual = simulator->TakeTranscript();
  EXPECT_EQ(actual, expected.Get()) << FirstDifference(actual, expected.Get());
  EXPECT_FALSE(simulator->InLoader());
}

TEST(ReadBack, FailuresGiveTheWritersMessagesAndWriteNoFile) {
  WriteFiles files;
  const auto out = files.dir / "backup.bin";
  struct Case {
    std::vector<std::string> faults;
    std::string message;
  };
  const Case cases[] = {
      {{"connect=silent"}, "デバイスと通信ができません。\n" + kPowerCycleCause},
      {{"enter=0x00"}, "モード変更に失敗しました。"},
      {{"read=short@9"}, "フラッシュの書込みでエラーが発生しました。"},
      {{"exit=silent"}, "モード変更に失敗しました。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faults[0]);
    auto simulator = StartSimulator(WithFaults(c.faults));
    const ProcessResult result =
        RunProcess({kVrxtool, "read", "--port", simulator->DevicePath(), out.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, c.message + "\n");
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  const std::string none = (files.dir / "none").string();
  const ProcessResult noPort = RunProcess({kVrxtool, "read", "--port", none, out.string()});
  EXPECT_EQ(noPort.exitCode, 1);
  EXPECT_EQ(noPort.err, "通信ポートのオープンに失敗しました。\n" + none +
                            " がありません。接続を確認してください。\n" +
                            std::string(PortOpenHint()) + "\n");
}

// The output is checked before the port is opened, not after half a
// minute of reading.
TEST(ReadBack, AnOutputThatCannotBeCreatedIsNamedBeforeThePortIsOpened) {
  WriteFiles files;
  auto simulator = StartSimulator({});
  const std::string dir = files.dir.string();
  const struct {
    std::string output;
    std::string message;
  } cases[] = {
      {dir, dir + " はフォルダです。ファイル名を指定してください。"},
      {dir + "/no-such-folder/backup.bin",
       dir + "/no-such-folder/backup.bin を作成できません。フォルダがありません。"},
      {files.dataFile.string() + "/backup.bin",
       files.dataFile.string() + "/backup.bin を作成できません。フォルダがありません。"},
  };
  for (const auto& c : cases) {
    const ProcessResult result =
        RunProcess({kVrxtool, "read", "--port", simulator->DevicePath(), c.output});
    EXPECT_EQ(result.exitCode, 1) << c.output;
    EXPECT_EQ(result.err, c.message + "\n");
  }
  EXPECT_TRUE(simulator->CurrentTranscript().empty()) << "the port was opened";

  if (geteuid() == 0) return;  // root may write into any folder
  const auto locked = files.dir / "locked";
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(
      locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const ProcessResult result = RunProcess(
      {kVrxtool, "read", "--port", simulator->DevicePath(), (locked / "backup.bin").string()});
  EXPECT_EQ(result.err,
            (locked / "backup.bin").string() + " を作成できません。フォルダに書き込めません。\n");
  EXPECT_TRUE(simulator->CurrentTranscript().empty()) << "the port was opened";
}

TEST(ReadBack, VerifyComparesOnlyTheProgrammedRanges) {
  WriteFiles files;
  const sim::FlashBytes image = WrittenImage(files);
  sim::SimulatorOptions options;
  options.initialFlash = image;
  // Never programmed, so never compared.
  for (uint32_t address : {0x0400u, 0x0A00u, 0x0FFFu}) (*options.initialFlash)[address] ^= 0xFF;
  options.startInLoader = true;
  auto simulator = StartSimulator(options);

  const ProcessResult same =
      RunProcess({kVrxtool, "verify", files.dataFile.string(), "--port", simulator->DevicePath(),
                  "--container", files.container.string()});

  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out, "検証完了\n");
  ConversationBuilder expected(38400);  // already in the loader: no mode change
  expected.Exchange(0xC4, 0xC4);
  for (uint32_t address = 0; address < 0x400; address += 128)
    expected.ReadRecord(static_cast<uint16_t>(address), *options.initialFlash);
  for (uint32_t address = 0x1000; address < 0x8000; address += 128)
    expected.ReadRecord(static_cast<uint16_t>(address), *options.initialFlash);
  expected.Exchange(0x5D, 0x5D);
  const sim::Transcript actual = simulator->TakeTranscript();
  EXPECT_EQ(actual, expected.Get()) << FirstDifference(actual, expected.Get());
}

TEST(ReadBack, VerifyListsTheFirstSixteenDifferencesAndCountsAll) {
  WriteFiles files;
  sim::FlashBytes flash = WrittenImage(files);
  const sim::FlashBytes image = flash;
  std::vector<uint32_t> changed{0x03FF};
  for (uint32_t i = 0; i < 20; ++i) changed.push_back(0x1000 + i * 0x555);
  for (uint32_t address : changed) flash[address] = static_cast<uint8_t>(~flash[address]);
  sim::SimulatorOptions options;
  options.initialFlash = flash;
  auto simulator = StartSimulator(options);

  const ProcessResult result =
      RunProcess({kVrxtool, "verify", files.dataFile.string(), "--port", simulator->DevicePath(),
                  "--container", files.container.string()});

  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "検証エラー：21 バイトが一致しません。\n");
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 16u) << result.out;
  char first[64];
  std::snprintf(first, sizeof first, "0x03FF: module 0x%02X, image 0x%02X", flash[0x3FF],
                image[0x3FF]);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[15].rfind(
                "0x" +
                    [] {
                      char hex[8];
                      std::snprintf(hex, sizeof hex, "%04X", 0x1000 + 14 * 0x555);
                      return std::string(hex);
                    }() +
                    ":",
                0),
            0u)
      << lines[15];
}

TEST(ReadBack, ProgramVerifyAddsOneLogLineAndFailsOnADifference) {
  WriteFiles files;
  const sim::FlashBytes image = WrittenImage(files);
  const std::vector<std::string> env{"XDG_CONFIG_HOME=" + (files.dir / "config").string()};
  const std::string loaded = "\nkeys.vrx ファイルを正常にロードしました。\n";
  auto WithLf = [](std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
  };
  {
    auto simulator = StartSimulator({});
    const ProcessResult result =
        RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                    "--container", files.container.string(), "--verify"},
                   env);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, loaded + WithLf(ExpectedSuccessLog(true)) + "\n検証完了\n");
    EXPECT_EQ(simulator->Flash(), [&] {
      sim::FlashBytes expected = image;
      std::fill(expected.begin() + 0x400, expected.begin() + 0x1000, 0xFF);
      return expected;
    }());
  }
  {
    // The module claims record 20 (0x1600) written but keeps it erased.
    auto simulator = StartSimulator(WithFaults({"record=0x0A@20"}));
    const std::size_t differing = static_cast<std::size_t>(std::count_if(
        image.begin() + 0x1600, image.begin() + 0x1680, [](uint8_t byte) { return byte != 0xFF; }));
    ASSERT_GT(differing, 0u);
    const ProcessResult result =
        RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                    "--container", files.container.string(), "--verify"},
                   {"XDG_CONFIG_HOME=" + (files.dir / "other").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, loaded + WithLf(ExpectedSuccessLog(true)) + "\n検証エラー：" +
                              std::to_string(differing) + " バイトが一致しません。\n");
    // A Write that does not verify is no successful Write: the profile stays.
    EXPECT_FALSE(std::filesystem::exists(files.dir / "other" / "Zentrolith" / "VRXWriter.conf"));
  }
  {
    // The Write reads block 0 (8 records); the verification's third record
    // comes short.  The write went well, only the check could not be made.
    auto simulator = StartSimulator(WithFaults({"read=short@10"}));
    const ProcessResult result =
        RunProcess({kVrxtool, "program", files.dataFile.string(), "--port", simulator->DevicePath(),
                    "--container", files.container.string(), "--verify"},
                   {"XDG_CONFIG_HOME=" + (files.dir / "third").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, loaded + WithLf(ExpectedSuccessLog(true)) +
                              "\n検証のための読み出しに失敗しました。\n");
    EXPECT_FALSE(std::filesystem::exists(files.dir / "third" / "Zentrolith" / "VRXWriter.conf"));
  }
}

TEST(ReadBack, JsonEventsFollowEveryStepToTheResult) {
  WriteFiles files;
  // The log names the data file: a name in Latin-1 must still give lines of valid UTF-8.
  const std::filesystem::path latin1 = files.dir / "caf\xE9.vrx";
  std::filesystem::copy_file(files.dataFile, latin1);
  auto simulator = StartSimulator(WithFaults({"erase=0x03@1"}));
  const ProcessResult failed =
      RunProcess({kVrxtool, "program", latin1.string(), "--port", simulator->DevicePath(),
                  "--container", files.container.string(), "--json"},
                 {"XDG_CONFIG_HOME=" + (files.dir / "config").string()});
  EXPECT_EQ(failed.exitCode, 1);
  const std::vector<std::string> lines = Lines(failed.out);
  ASSERT_GE(lines.size(), 4u) << failed.out;
  for (const std::string& line : lines) {
    EXPECT_EQ(line.rfind("{\"event\":", 0), 0u) << line;
    EXPECT_TRUE(nlohmann::json::accept(line)) << line;  // false for bad UTF-8 too
  }
  const std::string out = failed.out;
  EXPECT_NE(out.find("caf\uFFFD.vrx"), std::string::npos) << out;
  EXPECT_NE(out.find("{\"event\":\"step-ended\",\"step\":\"write\",\"block\":0,\"ok\":true}"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("{\"event\":\"bytes\",\"step\":\"write\",\"block\":0,\"done\":1024,"
                     "\"total\":1024}"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("{\"event\":\"step-ended\",\"step\":\"erase\",\"block\":4,\"ok\":false}"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("{\"event\":\"log\",\"text\":\"\\r\\n接続完了\\r\\n\",\"id\":\"connected\"}"),
            std::string::npos);
  EXPECT_EQ(lines.back(),
            "{\"event\":\"result\",\"ok\":false,\"message\":10006,\"text\":\"フラッシュの消去"
            "でエラーが発生しました。\"}");

  auto fresh = StartSimulator({});
  const ProcessResult read = RunProcess(
      {kVrxtool, "read", "--port", fresh->DevicePath(), (files.dir / "f.bin").string(), "--json"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
  const std::vector<std::string> readLines = Lines(read.out);
  ASSERT_FALSE(readLines.empty());
  EXPECT_NE(read.out.find("{\"event\":\"bytes\",\"step\":\"read\",\"done\":32768,\"total\":32768}"),
            std::string::npos);
  EXPECT_EQ(readLines.back(), "{\"event\":\"result\",\"ok\":true}");
}

}  // namespace
}  // namespace vrx::test
