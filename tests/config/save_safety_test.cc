#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config/data_file.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

using test::EntriesIn;
using test::OneKeyImage;
using test::ReadWholeFile;
using test::ScratchFolder;
using test::WriteWholeFile;

TEST(DataFileSave, ReplacesAnExistingFileAndKeepsItsPermissions) {
  ScratchFolder folder;
  const auto path = folder / "keep.vrx";
  WriteWholeFile(path, std::string(100000, 'x'));  // longer than the new text
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteDataFile(path, OneKeyImage()));
  ConfigImage loaded;
  EXPECT_EQ(ReadDataFile(path, loaded), DataFileError::kNone);
  EXPECT_EQ(loaded, OneKeyImage());
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(DataFileSave, SavingThroughALinkUpdatesTheLinkedFile) {
  ScratchFolder folder;
  WriteWholeFile(folder / "real.vrx", "old");
  std::filesystem::create_symlink("real.vrx", folder / "link.vrx");
  ASSERT_TRUE(WriteDataFile(folder / "link.vrx", OneKeyImage()));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.vrx"));
  EXPECT_NE(ReadWholeFile(folder / "real.vrx"), "old");
}

TEST(DataFileSave, FailedSaveLeavesTheOldFileAndNoLeftovers) {
  ScratchFolder folder;
  // A target that is a folder cannot be replaced.
  std::filesystem::create_directory(folder / "dir.vrx");
  WriteWholeFile(folder / "dir.vrx" / "inside", "kept");
  EXPECT_FALSE(WriteDataFile(folder / "dir.vrx", OneKeyImage()));
  EXPECT_EQ(ReadWholeFile(folder / "dir.vrx" / "inside"), "kept");

  // A name so long that no temporary name fits beside it.
  const auto longName = folder / (std::string(250, 'n') + ".vrx");
  WriteWholeFile(longName, "old contents");
  EXPECT_FALSE(WriteDataFile(longName, OneKeyImage()));
  EXPECT_EQ(ReadWholeFile(longName), "old contents");

  EXPECT_FALSE(WriteDataFile(folder / "missing" / "x.vrx", OneKeyImage()));
  EXPECT_FALSE(WriteDataFile("", OneKeyImage()));
  EXPECT_EQ(EntriesIn(folder.path()), 2u);
}

TEST(DataFileSave, ReadOnlyFolderRefusesTheSave) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  ScratchFolder folder;
  WriteWholeFile(folder / "old.vrx", "old contents");
  ASSERT_EQ(chmod(folder.path().c_str(), 0500), 0);
  EXPECT_FALSE(WriteDataFile(folder / "old.vrx", OneKeyImage()));
  EXPECT_EQ(ReadWholeFile(folder / "old.vrx"), "old contents");
}

}  // namespace
}  // namespace vrx
