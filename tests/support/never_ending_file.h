// A path that an ordinary open would wait on for ever, for tests of readers
// that must refuse such files at once.  Empty when it cannot be made.
#pragma once

#include <sys/stat.h>

#include <filesystem>

namespace vrx::test {

#ifdef _WIN32
// Windows has no FIFOs; the console device is its file that never ends.
inline std::filesystem::path NeverEndingFile(const std::filesystem::path&) { return "CON"; }
#else
// A FIFO with no writer.
inline std::filesystem::path NeverEndingFile(const std::filesystem::path& folder) {
  const auto fifo = folder / "pipe";
  return ::mkfifo(fifo.c_str(), 0600) == 0 ? fifo : std::filesystem::path();
}
#endif

}  // namespace vrx::test
