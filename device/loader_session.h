// Entering and leaving the module's loader, and reading flash through it:
// the pieces the flash update, the read-back and the verification share, so
// that all three talk to the module the same way (mode change, pauses,
// reopen at the loader's rate, 0x5D at the end).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device_progress.h"
#include "serial_link.h"
#include "serial_options.h"
#include "write_log.h"

namespace vrx {

// The loader runs at this rate after a mode change.
inline constexpr int kLoaderBitRate = 38400;

// A failing step of a loader session: the writer message (10004..10008)
// it maps to, and what is known of its cause (a line of its own under the
// message, when not empty).  Raised by the functions below, caught where the
// session began.
struct LoaderStepFailed {
  int messageId;
  std::string cause;
};

// Raises `messageId` unless `succeeded`.
void RequireStep(bool succeeded, int messageId);

// Opens the port at the speed's bit rate and brings the module into its
// loader: connect, the mode change with its pause when the application
// answered, and the reopen at 38400 bit/s when the chosen rate differs.
// `link` holds the open link as soon as there is one, so the caller can
// close it after a failure.
void EnterLoaderSession(std::optional<SerialLink>& link, const std::string& portName,
                        int speedIndex, const SerialOptions& options, DeviceProgress& progress);

// 0x5D and its pause.
void LeaveLoaderSession(SerialLink& link, DeviceProgress& progress);

// Reads `out.size()` bytes (a multiple of 128) from `address` record by
// record; a failing read raises the read-back message 10007.  `step`
// receives the running byte count, offset by `doneBefore`.
void ReadFlashRecords(SerialLink& link, uint32_t address, std::span<uint8_t> out,
                      ProgressStep& step, std::size_t doneBefore = 0);

// How a failed device step ends the writer's log: "\r\n", the message (or
// "中断しました。" after Ctrl-C and the like), the cause on a line of its own
// when known, and "\r\n処理を中止します。\r\n".
void LogDeviceFailure(WriteLog& log, int messageId, std::string_view cause = {});

}  // namespace vrx
