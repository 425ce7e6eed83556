// Saves where other users and limits are about: a file-size limit, links
// planted in a shared sticky folder, read-only files and files of another
// user.  The cases with other users run children under two scratch user ids
// (no account needed) and so need root.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

using test::ReadWholeFile;
using test::ScratchFolder;
using test::WriteWholeFile;

constexpr uid_t kUserA = 54321;  // plants the link
constexpr uid_t kUserB = 54322;  // saves

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

// Runs `save` in a child process as `uid` (when given) and returns its exit
// status: 0 when it returned true, 1 when false; anything else when the
// child died.
int InChild(const std::function<bool()>& save, std::optional<uid_t> uid = std::nullopt) {
  const pid_t child = fork();
  if (child == 0) {
    if (uid && (setgroups(0, nullptr) != 0 || setresgid(*uid, *uid, *uid) != 0 ||
                setresuid(*uid, *uid, *uid) != 0))
      _exit(3);
    _exit(save() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

uid_t OwnerOf(const std::filesystem::path& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? info.st_uid : static_cast<uid_t>(-1);
}

TEST(SaveSharing, AFileSizeLimitFailsTheSaveAndLeavesNoTemporary) {
  ScratchFolder folder;
  const auto target = folder / "out.vrx";
  WriteWholeFile(target, "old contents");
  const int status = InChild([&] {
    const rlimit limit{64 * 1024, 64 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    return ReplaceFileContents(target, std::string(1 << 20, 'x'));
  });
  EXPECT_EQ(status, 1) << "the save must fail, not end the process by SIGXFSZ";
  EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"out.vrx"});
  EXPECT_EQ(ReadWholeFile(target), "old contents");
}

class SaveAsOtherUsers : public ::testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run savers under scratch user ids";
    // Others must reach the folders below the scratch folder.
    std::filesystem::permissions(folder_.path(), std::filesystem::perms(0755));
    ASSERT_EQ(mkdir(shared_.c_str(), 01777), 0);
    ASSERT_EQ(chmod(shared_.c_str(), 01777), 0);  // past the umask
    ASSERT_EQ(mkdir(home_.c_str(), 0755), 0);
    ASSERT_EQ(chown(home_.c_str(), kUserB, kUserB), 0);
    WriteWholeFile(important_, "B's own data");
    ASSERT_EQ(chown(important_.c_str(), kUserB, kUserB), 0);
  }

  void Link(const std::filesystem::path& link, uid_t owner) {
    std::filesystem::create_symlink(important_, link);
    ASSERT_EQ(lchown(link.c_str(), owner, owner), 0);
  }

  ScratchFolder folder_;
  const std::filesystem::path shared_ = folder_ / "shared";
  const std::filesystem::path home_ = folder_ / "home-b";
  const std::filesystem::path important_ = home_ / "important.txt";
};

// The kernel's rule for links (protected_symlinks), which the save follows.
TEST_F(SaveAsOtherUsers, ALinkPlantedInASharedStickyFolderIsNotFollowed) {
  Link(shared_ / "planted.vrx", kUserA);
  EXPECT_EQ(InChild([&] { return ReplaceFileContents(shared_ / "planted.vrx", "new"); }, kUserB),
            1);
  EXPECT_EQ(ReadWholeFile(important_), "B's own data");
  EXPECT_TRUE(std::filesystem::is_symlink(shared_ / "planted.vrx"));

  // B's own link, and one of the folder's owner, are followed.
  Link(shared_ / "own.vrx", kUserB);
  EXPECT_EQ(
      InChild([&] { return ReplaceFileContents(shared_ / "own.vrx", "by own link"); }, kUserB), 0);
  EXPECT_EQ(ReadWholeFile(important_), "by own link");
  Link(shared_ / "owners.vrx", 0);
  EXPECT_EQ(
      InChild([&] { return ReplaceFileContents(shared_ / "owners.vrx", "by owner's"); }, kUserB),
      0);
  EXPECT_EQ(ReadWholeFile(important_), "by owner's");

  // Outside a sticky folder anyone's link is followed, as the kernel does.
  Link(folder_ / "plain.vrx", kUserA);
  EXPECT_EQ(InChild([&] { return ReplaceFileContents(folder_ / "plain.vrx", "plain"); }, kUserB),
            0);
  EXPECT_EQ(ReadWholeFile(important_), "plain");
  EXPECT_EQ(OwnerOf(important_), kUserB);
}

TEST_F(SaveAsOtherUsers, AFileTheUserMayNotWriteIsRefusedAndRootKeepsTheOwner) {
  ASSERT_EQ(chmod(important_.c_str(), 0444), 0);
  EXPECT_EQ(InChild([&] { return MayReplaceFile(important_); }, kUserB), 1);
  EXPECT_EQ(InChild([&] { return ReplaceFileContents(important_, "new"); }, kUserB), 1);
  EXPECT_EQ(ReadWholeFile(important_), "B's own data");
  // Another user's file in a folder the saver may write.
  const auto others = shared_ / "a-only.vrx";
  WriteWholeFile(others, "A's");
  ASSERT_EQ(chown(others.c_str(), kUserA, kUserA), 0);
  ASSERT_EQ(chmod(others.c_str(), 0644), 0);
  EXPECT_EQ(InChild([&] { return ReplaceFileContents(others, "B's"); }, kUserB), 1);
  EXPECT_EQ(ReadWholeFile(others), "A's");

  // Root may replace it, as cp may; the file stays A's, with its mode.
  ASSERT_TRUE(ReplaceFileContents(others, "by root"));
  EXPECT_EQ(ReadWholeFile(others), "by root");
  struct stat info {};
  ASSERT_EQ(stat(others.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, kUserA);
  EXPECT_EQ(info.st_gid, kUserA);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

}  // namespace
}  // namespace vrx
