#include <system_error>

#include "atomic_file.h"

namespace vrx {

std::filesystem::path ResolveSaveTarget(const std::filesystem::path& target) {
  std::error_code error;
  if (std::filesystem::is_symlink(target, error)) {
    auto resolved = std::filesystem::weakly_canonical(target, error);
    if (!error) return resolved;
  }
  return target;
}

}  // namespace vrx
