// Starting a program detached: failures come back as errno values, and the
// arguments never pass through a shell.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/process_start.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

TEST(ProcessStart, FailuresToStartAreReportedWithTheirReason) {
  EXPECT_EQ(StartDetachedProcess({}), EINVAL);
  EXPECT_EQ(StartDetachedProcess({""}), EINVAL);
  EXPECT_EQ(StartDetachedProcess({"/nonexistent/VRXWriter", "a"}), ENOENT);
  // A file that is not executable.
  const test::ScratchFolder folder("vrx-process-start");
  const auto plain = folder.path() / "VRXWriter";
  std::ofstream(plain) << "data";
  EXPECT_EQ(StartDetachedProcess({plain.string()}), EACCES);
  // No shell: a command in an argument is only text.
  const auto marker = folder.path() / "injected";
  EXPECT_EQ(StartDetachedProcess({"/bin/true", "; touch " + marker.string()}), 0);
  EXPECT_EQ(StartDetachedProcess({"/bin/true $(touch " + marker.string() + ")"}), ENOENT);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(std::filesystem::exists(marker));
}

}  // namespace
}  // namespace vrx
