// The Windows backends of the small platform seams.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <fstream>
#include <string>
#include <thread>

#include "platform/module_path.h"
#include "platform/port_names.h"
#include "platform/profile_lock.h"
#include "platform/program_profile.h"
#include "platform/regular_file.h"
#include "tests/support/scratch_folder.h"

namespace vrx {
namespace {

TEST(Win32Platform, OwnPathIsTheRunningExecutable) {
  EXPECT_EQ(OwnExecutablePath().filename(), "platform_tests.exe");
  EXPECT_TRUE(OwnExecutablePath().is_absolute());
  EXPECT_EQ(ProgramName(), "platform_tests");
}

TEST(Win32Platform, PortNamesOpenTheDosDevice) {
  EXPECT_EQ(ResolvePortName("COM3"), "\\\\.\\COM3");
  EXPECT_EQ(ResolvePortName("com9"), "\\\\.\\COM9");
  EXPECT_EQ(ResolvePortName("\\\\.\\COM12"), "\\\\.\\COM12");
  EXPECT_EQ(ResolvePortName(""), "");
}

// The profile lives under HKCU\Software\Zentrolith\<program>: texts as
// REG_SZ, numbers as REG_DWORD, each program under its own key.
TEST(Win32Platform, ProfileIsThePerUserRegistryKey) {
  const std::string program = "VRXTest" + std::to_string(GetCurrentProcessId());
  const std::wstring key = L"Software\\Zentrolith\\" + std::wstring(program.begin(), program.end());
  auto profile = OpenProgramProfile(program, {});
  EXPECT_EQ(profile->ReadString("Option", "COM", "COM1"), "COM1");
  EXPECT_EQ(profile->ReadInt("Option", "BAUD", 4), 4);
  ASSERT_TRUE(profile->WriteString("Option", "COM", "COM5"));
  ASSERT_TRUE(profile->WriteInt("Option", "BAUD", 2));
  ASSERT_TRUE(profile->WriteString("Option", "NAME", "ポート"));

  wchar_t text[16] = {};
  DWORD size = sizeof text;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (key + L"\\Option").c_str(), L"COM", RRF_RT_REG_SZ,
                         nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(text), L"COM5");
  DWORD number = 0;
  size = sizeof number;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (key + L"\\Option").c_str(), L"BAUD", RRF_RT_REG_DWORD,
                         nullptr, &number, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(number, 2u);

  auto again = OpenProgramProfile(program, {});
  EXPECT_EQ(again->ReadString("Option", "COM", ""), "COM5");
  EXPECT_EQ(again->ReadInt("Option", "BAUD", 4), 2);
  EXPECT_EQ(again->ReadString("Option", "NAME", ""), "ポート");
  EXPECT_EQ(OpenProgramProfile(program + "Other", {})->ReadString("Option", "COM", "COM1"), "COM1");
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

TEST(Win32Platform, RegularFileReaderRefusesFoldersDevicesAndHugeFiles) {
  const test::ScratchFolder scratch("vrx-regular-win32");
  const auto& folder = scratch.path();
  std::string contents;
  EXPECT_EQ(ReadRegularFile(folder, 100, contents), FileReadResult::kNotRegular);
  EXPECT_EQ(ReadRegularFile(folder / "none", 100, contents), FileReadResult::kMissing);
  EXPECT_EQ(ReadRegularFile("NUL", 100, contents), FileReadResult::kNotRegular);
  std::ofstream(folder / "small", std::ios::binary) << "[Option]\r\nCOM=COM2\r\n";
  ASSERT_EQ(ReadRegularFile(folder / "small", 100, contents), FileReadResult::kRead);
  EXPECT_EQ(contents, "[Option]\r\nCOM=COM2\r\n");
  EXPECT_EQ(ReadRegularFile(folder / "small", 10, contents), FileReadResult::kTooLarge);
}

TEST(Win32Platform, ProfileLockIsTakenAndGivenBack) {
  const test::ScratchFolder scratch("vrx-lock-win32");
  const auto file = scratch / "VRXWriter.conf";
  {
    ProfileLock lock(file);
    EXPECT_TRUE(lock.held());
  }
  // Another thread gets it once the first is gone (a mutex is re-entrant
  // for its own thread, so the same thread would prove nothing).
  bool held = false;
  std::thread other([&] { held = ProfileLock(file).held(); });
  other.join();
  EXPECT_TRUE(held);
}

}  // namespace
}  // namespace vrx
