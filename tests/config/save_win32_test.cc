// Saving and reading data files through the Windows file API: binary
// bytes, wide names, the replace step.
#include <gtest/gtest.h>
#include <windows.h>

#include "config/data_file.h"
#include "config/file_text_source.h"
#include "platform/atomic_file.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

using test::EntriesIn;
using test::OneKeyImage;
using test::ReadWholeFile;
using test::ScratchFolder;
using test::WriteWholeFile;

std::string ReadAllThrough(FileTextSource& source) {
  std::string text;
  char buffer[7];  // an odd size: a CR LF pair is split across reads
  for (std::size_t n; (n = source.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  return text;
}

TEST(Win32Save, BytesGoToDiskAsGivenWithTheirCrLf) {
  ScratchFolder folder;
  const std::string text = "line 1\r\nline 2\r\n\n\r\x1a tail";
  ASSERT_TRUE(ReplaceFileContents(folder / "raw.txt", text));
  EXPECT_EQ(ReadWholeFile(folder / "raw.txt"), text);

  auto source = FileTextSource::Open(folder / "raw.txt");
  ASSERT_TRUE(source);
  EXPECT_EQ(ReadAllThrough(*source), text);
}

TEST(Win32Save, ReplacesALongerFileAndLeavesNothingBeside) {
  ScratchFolder folder;
  const auto path = folder / "keep.vrx";
  WriteWholeFile(path, std::string(100000, 'x'));
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(WriteDataFile(path, OneKeyImage()));
  ConfigImage loaded;
  EXPECT_EQ(ReadDataFile(path, loaded), DataFileError::kNone);
  EXPECT_EQ(loaded, OneKeyImage());
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
  // The data file's lines end in CR LF exactly once.
  const std::string saved = ReadWholeFile(path);
  EXPECT_EQ(saved.find("\r\r"), std::string::npos);
  EXPECT_NE(saved.find("\r\n"), std::string::npos);
}

TEST(Win32Save, JapaneseNamesSurviveTheWideApi) {
  ScratchFolder folder;
  const std::filesystem::path path = folder.path() / std::filesystem::path(u8"設定データ.vrx");
  ASSERT_TRUE(WriteDataFile(path, OneKeyImage()));
  // The file carries the name, not a code page 1252 garbling of it.
  EXPECT_TRUE(std::filesystem::exists(
      folder.path() / std::filesystem::path(L"\u8a2d\u5b9a\u30c7\u30fc\u30bf.vrx")));
  ConfigImage loaded;
  EXPECT_EQ(ReadDataFile(path, loaded), DataFileError::kNone);
  EXPECT_EQ(loaded, OneKeyImage());
}

TEST(Win32Save, FailedSaveLeavesTheOldStateAndNoLeftovers) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder / "dir.vrx");
  WriteWholeFile(folder / "dir.vrx" / "inside", "kept");
  EXPECT_FALSE(WriteDataFile(folder / "dir.vrx", OneKeyImage()));
  EXPECT_EQ(ReadWholeFile(folder / "dir.vrx" / "inside"), "kept");
  EXPECT_FALSE(WriteDataFile(folder / "missing" / "x.vrx", OneKeyImage()));
  EXPECT_FALSE(WriteDataFile("", OneKeyImage()));
  EXPECT_EQ(EntriesIn(folder.path()), 1u);

  // A folder is not a data file to read either.
  EXPECT_FALSE(FileTextSource::Open(folder / "dir.vrx"));
  EXPECT_FALSE(FileTextSource::Open(folder / "missing.vrx"));
}

}  // namespace
}  // namespace vrx
