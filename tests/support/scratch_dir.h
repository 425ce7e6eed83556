// A new, empty folder for one test.  ctest runs tests as parallel processes,
// so a fixed name would be shared (and removed) by two tests at once.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace vrx {

inline std::filesystem::path FreshDir(const std::string& name) {
  std::string pattern = ::testing::TempDir() + "/" + name + ".XXXXXX";
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot make a folder like " << pattern;
  return pattern;
}

}  // namespace vrx
