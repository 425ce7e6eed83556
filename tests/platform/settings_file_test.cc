// The port map and the profiles are read only when they are ordinary files
// of sane size; anything else is reported by name and left alone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <vector>

#include "config/settings_problems.h"
#include "platform/port_diagnosis.h"
#include "platform/port_names.h"
#include "platform/profile_ini.h"
#include "platform/regular_file.h"
#include "platform/settings_file.h"
#include "resources/port_messages.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

namespace fs = std::filesystem;
using Problem = std::pair<fs::path, FileReadResult>;
using ::testing::ElementsAre;

// Collects what the programs would be told, instead of stderr.
class SettingsFileTest : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv("VRX_PORT_MAP"); }

  fs::path MakeFifo(const std::string& name) {
    const fs::path fifo = dir_ / name;
    EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    return fifo;
  }

  const test::ScratchFolder folder_{"settings"};
  const fs::path dir_ = folder_.path();
  std::vector<Problem> problems_;
  const SettingsProblemSink sink_ = [this](const fs::path& file, FileReadResult problem) {
    problems_.emplace_back(file, problem);
  };
};

TEST_F(SettingsFileTest, PortMapThatIsNoOrdinaryFileIsReportedNotRead) {
  const fs::path fifo = MakeFifo("ports.fifo");
  const fs::path huge = dir_ / "huge.conf";
  std::ofstream(huge) << "COM1=/dev/ttyS1\n" << std::string(kSettingsFileLimit, '#');

  for (const fs::path& map : {fifo, fs::path("/dev/zero"), huge}) {
    setenv("VRX_PORT_MAP", map.c_str(), 1);
    // No COMn guesses while the user's own map cannot be read; paths still work.
    EXPECT_EQ(ResolvePortName("COM1"), "") << map;
    EXPECT_EQ(ResolvePortName("/dev/ttyS7"), "/dev/ttyS7");
    EXPECT_TRUE(ReadPortMap(map, sink_).empty()) << map;
  }
  EXPECT_THAT(problems_, ElementsAre(Problem(fifo, FileReadResult::kNotRegular),
                                     Problem("/dev/zero", FileReadResult::kNotRegular),
                                     Problem(huge, FileReadResult::kTooLarge)));
  // A port that cannot be opened says why the map was passed over.
  const PortDiagnosis cause = DiagnosePortOpenFailure("COM1", 38400, ENOENT);
  EXPECT_EQ(cause.kind, PortDiagnosis::Kind::kNotMapped);
  EXPECT_EQ(port_msg::CauseText(cause), huge.string() + ": larger than 1 MB; ignored");
  struct stat info {};
  ASSERT_EQ(stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  setenv("VRX_PORT_MAP", (dir_ / "absent.conf").c_str(), 1);
  EXPECT_EQ(port_msg::CauseText(DiagnosePortOpenFailure("COM1", 38400, ENOENT)),
            "COM1 はどのデバイスにも割り当てられていません (" + (dir_ / "absent.conf").string() +
                " を参照)。");
}

TEST_F(SettingsFileTest, PortMapMayStartWithAByteOrderMark) {
  const fs::path map = dir_ / "ports.conf";
  std::ofstream(map) << "\xEF\xBB\xBF"
                        "COM1=/dev/ttyS4\r\nCOM2=/dev/ttyS5\r\n";
  EXPECT_THAT(ReadPortMap(map, sink_),
              ElementsAre(std::pair<const std::string, std::string>("COM1", "/dev/ttyS4"),
                          std::pair<const std::string, std::string>("COM2", "/dev/ttyS5")));
  setenv("VRX_PORT_MAP", map.c_str(), 1);
  EXPECT_EQ(ResolvePortName("COM1"), "/dev/ttyS4");
  EXPECT_TRUE(problems_.empty());
}

TEST_F(SettingsFileTest, ProfileThatIsNoOrdinaryFileGivesDefaultsAndIsKept) {
  const fs::path fifo = MakeFifo("VRXWriter.conf");
  IniProfile profile(fifo, sink_);
  EXPECT_EQ(profile.ReadString("Option", "COM", "COM1"), "COM1");
  EXPECT_EQ(profile.ReadInt("Option", "BAUD", 4), 4);
  EXPECT_FALSE(profile.WriteString("Option", "COM", "COM3"));
  struct stat info {};
  ASSERT_EQ(stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  ASSERT_EQ(problems_.size(), 3u);
  EXPECT_EQ(problems_.front(), Problem(fifo, FileReadResult::kNotRegular));

  // One byte past the limit is too much; the limit itself is fine.
  const fs::path big = dir_ / "big.conf";
  std::ofstream(big) << "[Option]\nBAUD=2\n" << std::string(kSettingsFileLimit - 16, ';');
  EXPECT_EQ(IniProfile(big, sink_).ReadInt("Option", "BAUD", 4), 2);
  std::ofstream(big, std::ios::app) << ';';
  EXPECT_EQ(IniProfile(big, sink_).ReadInt("Option", "BAUD", 4), 4);
  EXPECT_EQ(problems_.back(), Problem(big, FileReadResult::kTooLarge));
}

TEST_F(SettingsFileTest, RegularFileReaderBoundsWhatItReads) {
  std::string contents;
  EXPECT_EQ(ReadRegularFile(dir_ / "none", 10, contents), FileReadResult::kMissing);
  EXPECT_EQ(ReadRegularFile(dir_, 10, contents), FileReadResult::kNotRegular);
  // Files that give no size up front (/proc) are still read, and bounded.
  EXPECT_EQ(ReadRegularFile("/proc/self/status", 1 << 20, contents), FileReadResult::kRead);
  EXPECT_NE(contents.find("VmRSS"), std::string::npos);
  EXPECT_EQ(ReadRegularFile("/proc/self/status", 64, contents), FileReadResult::kTooLarge);
  // A missing file is an empty map, not a problem.
  EXPECT_EQ(ReadSettingsFile(dir_ / "none", sink_), std::string());
  EXPECT_TRUE(problems_.empty());
}

// Each program's own sink remembers what it printed; two runs (two sinks)
// do not share that memory.
TEST_F(SettingsFileTest, ProgramsPrintEachProblemOncePerRun) {
  const fs::path fifo = MakeFifo("once.fifo");
  const fs::path captured = dir_ / "stderr.txt";
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  std::FILE* file = std::fopen(captured.c_str(), "w");
  dup2(fileno(file), STDERR_FILENO);
  const SettingsProblemSink firstRun = PrintSettingsProblems();
  EXPECT_FALSE(ReadSettingsFile(fifo, firstRun));
  EXPECT_FALSE(ReadSettingsFile(fifo, firstRun));
  EXPECT_FALSE(ReadSettingsFile(fifo, PrintSettingsProblems()));
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  std::fclose(file);
  std::ifstream in(captured);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  const std::string line = fifo.string() + ": not a regular file; ignored\n";
  EXPECT_EQ(text, line + line);
}

TEST_F(SettingsFileTest, OncePerFileTellsEachFileAndProblemOnce) {
  const SettingsProblemSink once = OncePerFile(sink_);
  once("a.conf", FileReadResult::kNotRegular);
  once("a.conf", FileReadResult::kNotRegular);
  once("a.conf", FileReadResult::kTooLarge);
  once("b.conf", FileReadResult::kNotRegular);
  once("a.conf", FileReadResult::kTooLarge);
  EXPECT_THAT(problems_, ElementsAre(Problem("a.conf", FileReadResult::kNotRegular),
                                     Problem("a.conf", FileReadResult::kTooLarge),
                                     Problem("b.conf", FileReadResult::kNotRegular)));
  // An empty sink hears nothing, and reading still says the file is unusable.
  EXPECT_FALSE(ReadSettingsFile(MakeFifo("quiet.fifo"), {}));
  EXPECT_EQ(problems_.size(), 3u);
}

}  // namespace
}  // namespace vrx
