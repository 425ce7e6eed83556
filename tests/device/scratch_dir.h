// A new, empty folder for one test.  ctest runs tests as parallel processes,
// so a fixed name would be shared (and removed) by two tests at once.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace vrx {

inline std::filesystem::path FreshDir(const std::string& name) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                         (name + "." + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) return folder;
  }
  ADD_FAILURE() << "cannot make a folder for " << name;
  return {};
}

}  // namespace vrx
