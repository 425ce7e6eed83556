#include "tests/support/scratch_folder.h"

#include <random>
#include <stdexcept>
#include <system_error>

namespace vrx::test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(std::string_view prefix) {
  // create_directory fails for a name that exists, so no two tests share one.
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path folder =
        fs::temp_directory_path() / (std::string(prefix) + "." + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(folder, error)) {
      path_ = folder;
      return;
    }
  }
  throw std::runtime_error("cannot make a scratch folder for " + std::string(prefix));
}

ScratchFolder::~ScratchFolder() {
  // Tests take permissions away to provoke errors: give them back so that
  // everything can go.
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

}  // namespace vrx::test
