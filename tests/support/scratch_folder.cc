#include "scratch_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <system_error>

namespace vrx::test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(std::string_view prefix) {
  std::string pattern = (fs::temp_directory_path() / prefix).string() + ".XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "cannot make " + pattern);
  }
  path_ = pattern;
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
