// Where a save may land besides an ordinary file: devices, FIFOs, links to
// open files, links to files not yet there; and a save cut short by a signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>

#include "platform/atomic_file.h"
#include "tests/support/eventually.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

using test::ReadWholeFile;
using test::ScratchFolder;
using test::WriteWholeFile;

// Everything that is in a non-blocking descriptor's buffer now.
std::string Drain(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count <= 0) return text;
    text.append(buffer, static_cast<std::size_t>(count));
  }
}

bool IsA(const std::filesystem::path& path, mode_t type) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

TEST(SaveTarget, FifoReceivesTheBytesAndStaysAFifo) {
  ScratchFolder folder;
  const auto fifo = folder / "out.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // With a reader there, the writer's open does not wait.
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  auto saved = std::async(std::launch::async, [&] { return ReplaceFileContents(fifo, "hello"); });
  ASSERT_EQ(saved.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_TRUE(saved.get());
  EXPECT_EQ(Drain(reader), "hello");
  close(reader);
  EXPECT_TRUE(IsA(fifo, S_IFIFO));
  EXPECT_EQ(NamesIn(folder.path()).size(), 1u);
}

TEST(SaveTarget, DevicesAndLinksToOpenFilesAreWrittenInPlace) {
  // A terminal: the bytes come out of the other end.
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const std::filesystem::path terminal = ptsname(master);
  const int keepOpen = open(terminal.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(keepOpen, 0);
  EXPECT_TRUE(ReplaceFileContents(terminal, "on the terminal"));
  fcntl(master, F_SETFL, O_NONBLOCK);
  std::string arrived;  // the terminal passes the bytes on in its own time
  test::EventuallyTrue([&] { return (arrived += Drain(master)).size() >= 15; });
  EXPECT_EQ(arrived, "on the terminal");
  EXPECT_TRUE(IsA(terminal, S_IFCHR));
  close(keepOpen);
  close(master);

  // A link to this process's pipe, as "ln -s /proc/self/fd/1 o" makes.
  ScratchFolder folder;
  int ends[2];
  ASSERT_EQ(pipe2(ends, O_NONBLOCK), 0);
  const auto link = folder / "o";
  std::filesystem::create_symlink("/proc/self/fd/" + std::to_string(ends[1]), link);
  EXPECT_TRUE(ReplaceFileContents(link, "through the pipe"));
  EXPECT_EQ(Drain(ends[0]), "through the pipe");
  EXPECT_TRUE(IsA(link, S_IFLNK));
  close(ends[0]);
  close(ends[1]);

  // Folders are not written at all.
  EXPECT_FALSE(ReplaceFileContents(folder.path(), "x"));
}

TEST(SaveTarget, LinksAreSavedThroughEvenBeforeTheirFileExists) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder / "real");
  // A relative link, and a link to that link, both to a file not there yet.
  std::filesystem::create_symlink("real/keys.vrx", folder / "near");
  std::filesystem::create_symlink(folder / "near", folder / "far");
  ASSERT_TRUE(ReplaceFileContents(folder / "far", "first"));
  EXPECT_EQ(ReadWholeFile(folder / "real" / "keys.vrx"), "first");
  EXPECT_TRUE(IsA(folder / "near", S_IFLNK));
  EXPECT_TRUE(IsA(folder / "far", S_IFLNK));

  // Once there it is replaced as a whole: a reader holding the old file
  // keeps seeing the old contents, never a mixture.
  const int old = open((folder / "real" / "keys.vrx").c_str(), O_RDONLY);
  ASSERT_TRUE(ReplaceFileContents(folder / "near", "second"));
  char buffer[16] = {};
  EXPECT_EQ(read(old, buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(buffer), "first");
  close(old);
  EXPECT_EQ(ReadWholeFile(folder / "real" / "keys.vrx"), "second");
  EXPECT_EQ(NamesIn(folder / "real").size(), 1u);

  // A loop of links names no file.
  std::filesystem::create_symlink("loop-b", folder / "loop-a");
  std::filesystem::create_symlink("loop-a", folder / "loop-b");
  EXPECT_FALSE(ReplaceFileContents(folder / "loop-a", "x"));
}

// A child saves a large file over and over until a signal ends it; the
// signal must never leave a temporary file behind.
TEST(SaveTarget, SignalDuringASaveLeavesNoTemporaryFile) {
  ScratchFolder folder;
  const auto target = folder / "big.bin";
  const std::string contents(4 << 20, 'v');
  int delayMs = 3;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGTERM, SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) ReplaceFileContents(target, contents);
    }
    while (!std::filesystem::exists(target))
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    delayMs += 7;
    kill(child, signal);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"big.bin"});
    EXPECT_EQ(ReadWholeFile(target).size(), contents.size());
  }
}

}  // namespace
}  // namespace vrx
