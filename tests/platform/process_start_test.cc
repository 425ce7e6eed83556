// Starting a program detached: failures come back as errno values, and the
// arguments never pass through a shell.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/process_start.h"
#include "tests/support/eventually.h"
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
  // No shell: a command in an argument is only text.  touch takes each
  // argument as a path (the injected ones name no existing folder) and
  // makes `done` last; through a shell, `injected` would exist by then.
  const auto marker = folder.path() / "injected";
  const auto done = folder.path() / "done";
  EXPECT_EQ(StartDetachedProcess({"/bin/touch", "; touch " + marker.string(),
                                  "$(touch " + marker.string() + ")", done.string()}),
            0);
  EXPECT_EQ(StartDetachedProcess({"/bin/true $(touch " + marker.string() + ")"}), ENOENT);
  ASSERT_TRUE(test::EventuallyTrue([&] { return std::filesystem::exists(done); }));
  EXPECT_FALSE(std::filesystem::exists(marker));
}

}  // namespace
}  // namespace vrx
