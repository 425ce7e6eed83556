// vrxtool extract, show, diff, export and import as a user runs them: the
// real binary, its files, its output and its exit status.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/e2e/e2e_support.h"
#include "tests/support/child_process.h"

namespace vrx::test {
namespace {


std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

ProcessResult Vrxtool(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{kVrxtool};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunProcess(command, {});
}

TEST(VrxtoolDataEndToEnd, ImageThenExtractGivesTheFileBack) {
  WriteFiles files;
  const std::string flash = (files.dir / "flash.bin").string();
  const std::string extracted = (files.dir / "extracted.vrx").string();
  const std::string normalized = (files.dir / "normalized.vrx").string();
  ASSERT_EQ(
      Vrxtool({"image", files.dataFile.string(), flash, "--container", files.container.string()})
          .exitCode,
      0);

  const ProcessResult run = Vrxtool({"extract", flash, extracted});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  ASSERT_EQ(Vrxtool({"normalize", files.dataFile.string(), normalized}).exitCode, 0);
  EXPECT_EQ(ReadBytes(extracted), ReadBytes(normalized));
  EXPECT_EQ(Vrxtool({"diff", files.dataFile.string(), extracted}).exitCode, 0);

  // Not a whole image, or one whose configuration was never programmed.
  std::ofstream(files.dir / "short.bin") << "abc";
  std::ofstream(files.dir / "erased.bin") << std::string(0x8000, '\xFF');
  for (const char* name : {"short.bin", "erased.bin"}) {
    const ProcessResult bad = Vrxtool({"extract", (files.dir / name).string(), extracted});
    EXPECT_EQ(bad.exitCode, 1) << name;
    EXPECT_NE(bad.err.find(name), std::string::npos) << bad.err;
  }
  EXPECT_EQ(ReadBytes(extracted), ReadBytes(normalized));
}

TEST(VrxtoolDataEndToEnd, ShowDiffExportImportKeepTheExitContract) {
  WriteFiles files;
  const std::string original = files.dataFile.string();
  const auto path = [&](const char* name) { return (files.dir / name).string(); };

  const ProcessResult shown = Vrxtool({"show", original});
  EXPECT_EQ(shown.exitCode, 0);
  // The PC key a make code stands for follows its codes.
  EXPECT_NE(shown.out.find("    1   0   0 yes       1C / F0,1C  A\n"), std::string::npos)
      << shown.out;

  // Export to stdout and to files; each imports back to the same bytes.
  const ProcessResult json = Vrxtool({"export", original});
  EXPECT_EQ(json.exitCode, 0);
  std::ofstream(path("stdout.json")) << json.out;
  ASSERT_EQ(Vrxtool({"export", original, path("keys.csv")}).exitCode, 0);
  ASSERT_EQ(Vrxtool({"import", path("stdout.json"), path("from-json.vrx")}).exitCode, 0);
  ASSERT_EQ(
      Vrxtool({"import", path("keys.csv"), path("from-csv.vrx"), "--base", original}).exitCode, 0);
  EXPECT_EQ(ReadBytes(path("from-json.vrx")), ReadBytes(original));
  EXPECT_EQ(ReadBytes(path("from-csv.vrx")), ReadBytes(original));

  // A bad code: its line and key on stderr, and the output left alone.
  std::ofstream(path("bad.txt")) << "key,make\n1,1C\n2,\"E0,,75\"\n";
  const ProcessResult refused =
      Vrxtool({"import", path("bad.txt"), path("from-csv.vrx"), "--format", "csv"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, path("bad.txt") + ":3: KEY2 make: 入力データに誤まりがあります。\n");
  EXPECT_EQ(ReadBytes(path("from-csv.vrx")), ReadBytes(original));

  ASSERT_EQ(Vrxtool({"new", path("fresh.vrx")}).exitCode, 0);
  const ProcessResult differ = Vrxtool({"diff", original, path("fresh.vrx")});
  EXPECT_EQ(differ.exitCode, 1);
  EXPECT_NE(differ.out.find("-    1   0   0 yes       1C / F0,1C\n"
                            "+    1   0   0 yes       - / -\n"),
            std::string::npos)
      << differ.out;

  // Usage errors: no format to go by, a format that does not exist.
  EXPECT_EQ(Vrxtool({"import", path("bad.txt"), path("x.vrx")}).exitCode, 2);
  EXPECT_EQ(Vrxtool({"export", original, "--format", "xml"}).exitCode, 2);
  EXPECT_EQ(Vrxtool({"diff", original}).exitCode, 2);
  EXPECT_EQ(Vrxtool({"show", path("missing.vrx")}).exitCode, 1);
}

}  // namespace
}  // namespace vrx::test
