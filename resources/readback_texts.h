// Texts of the read-back and verification that the writer logs and vrxtool
// prints (UTF-8).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vrx::readback_text {

// The writer's right-click menu entry that turns verification on.
std::string_view VerifyMenuEntry();
// The log line after a verification that found the flash equal to the image.
std::string_view Verified();
// The log line after one that found `count` differing bytes.
std::string Mismatch(std::size_t count);
// The log line after one that could not read the module.
std::string_view VerifyReadFailed();
// One differing address as vrxtool verify lists it.
std::string Difference(uint32_t address, uint8_t module, uint8_t image);
// vrxtool: a file that could not be written, and the running count of a
// production run and its closing summary.
std::string CannotWrite(std::string_view path);
// vrxtool read: an output file that cannot be created, found before the
// port is opened.
std::string OutputIsFolder(std::string_view path);
std::string OutputFolderMissing(std::string_view path);
std::string OutputFolderNotWritable(std::string_view path);
std::string RunningCount(int passed, int failed);
std::string RepeatSummary(int passed, int failed);
// vrxtool program --repeat: waiting for the next module, and its results
// file's header and result column.
std::string_view WaitingForModule();
std::string_view CsvHeader();
std::string_view ResultWord(bool passed);
// Both columns of a module whose Write Ctrl-C stopped.
std::string_view Interrupted();

}  // namespace vrx::readback_text
