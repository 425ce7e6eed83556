// Test helpers: the editor's data file text assembled line by line from the
// format description (not through the code under test), and whole files.
#pragma once

#include <filesystem>
#include <map>
#include <ostream>
#include <string>

#include "config/config_image.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_support.h"

namespace vrx {
// Readable failure output for images that differ.
void PrintTo(const KeyEntry& key, std::ostream* out);
void PrintTo(const ConfigImage& image, std::ostream* out);
}  // namespace vrx

namespace vrx::test {

// Code record lines by key number: the values before the 0xFF filler, as
// they should appear ("81,1C").  Keys not given are all 0xFF.
struct ExpectedKeys {
  std::map<int, std::string> make;
  std::map<int, std::string> brk;
};

// The whole file of a fresh editor with `keys` set, in Shift_JIS with CR LF.
std::string ExpectedDataFile(const ExpectedKeys& keys = {});

void WriteWholeFile(const std::filesystem::path& path, const std::string& contents);

// How many entries a folder holds (a failed save must leave none behind).
std::size_t EntriesIn(const std::filesystem::path& folder);

// An image with one key set, for save tests.
ConfigImage OneKeyImage();

}  // namespace vrx::test
