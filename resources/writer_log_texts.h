// The writer's log lines around a Write (UTF-8, "\r\n" line ends as logged):
// the payload and data file loads, the flash update's steps, and the lines
// that end a Write stopped by a failure.
#pragma once

#include <string>
#include <string_view>

namespace vrx::writer_log {

// The payload container could not be read (after its message box).
std::string_view PayloadStopped();
// The data file could not be loaded (after its message).
std::string_view LoadStopped();
std::string Loaded(std::string_view fileTitle);

std::string_view Connected();
std::string_view ErasingBlock0();
std::string_view WritingBlock0();
std::string_view ErasingBlock4();
std::string_view WritingBlock4();
// One chunk of block 4 written.
std::string_view ChunkWritten();
// The erase or write begun last has ended.
std::string_view StepDone();
std::string_view Finished();
// After a failed device step's message.
std::string_view Stopping();

// Which of the lines above `text` is, by a name that stays the same in
// every language ("connected", "erasing-block-4", "loaded", ...), for
// vrxtool --json; "" for any other text.  Line breaks at either end do not
// count, so the read-back's "検証完了" line is found too ("verified").
std::string_view LineId(std::string_view text);

}  // namespace vrx::writer_log
