// The Windows backends of the small platform seams.
#include <gtest/gtest.h>

#include "module_path.h"
#include "port_names.h"

namespace vrx {
namespace {

TEST(Win32Platform, OwnPathIsTheRunningExecutable) {
  EXPECT_EQ(OwnExecutablePath().filename(), "device_tests.exe");
  EXPECT_TRUE(OwnExecutablePath().is_absolute());
  EXPECT_EQ(ProgramName(), "device_tests");
}

TEST(Win32Platform, PortNamesOpenTheDosDevice) {
  EXPECT_EQ(ResolvePortName("COM3"), "\\\\.\\COM3");
  EXPECT_EQ(ResolvePortName("com9"), "\\\\.\\COM9");
  EXPECT_EQ(ResolvePortName("\\\\.\\COM12"), "\\\\.\\COM12");
  EXPECT_EQ(ResolvePortName(""), "");
}

}  // namespace
}  // namespace vrx
