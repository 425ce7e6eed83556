// A fresh, empty folder for one test (or one benchmark), removed with
// everything in it when the object goes.  ctest runs tests as parallel
// processes, so each folder gets a name of its own.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vrx::test {

class ScratchFolder {
 public:
  // `prefix` names the folder under the system's temporary folder, so that a
  // leftover shows which test made it.
  explicit ScratchFolder(std::string_view prefix = "vrx-test");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace vrx::test
