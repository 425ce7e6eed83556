// Entering and leaving the module's loader, and reading flash through it:
// the pieces the flash update, the read-back and the verification share, so
// that all three talk to the module the same way (mode change, pauses,
// reopen at the loader's rate, 0x5D at the end).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/device_progress.h"
#include "device/loader.h"
#include "device/serial_link.h"
#include "device/serial_options.h"

namespace vrx {

// The loader runs at this rate after a mode change.
inline constexpr int kLoaderBitRate = 38400;

// The step at which a loader session failed; kNone when it did not.
enum class SessionFailure {
  kNone,
  kPortOpen,    // the port cannot be opened at the rate
  kNoAnswer,    // the module does not answer the connect
  kModeChange,  // entering or leaving the loader failed
  kErase,
  kWrite,
  kRead,
  kInterrupted,  // the caller's cancellation check stopped the session at a
                 // safe point: the module is left in its loader, in step
};

// A failing step and what is known of its cause.  Raised by the functions
// below, caught where the session began.
struct LoaderStepFailed {
  SessionFailure failure;
  PortDiagnosis cause;
};

// Raises `failure` unless `result` is kOk (kInterrupted for an
// interrupted command).
void RequireStep(LoaderResult result, SessionFailure failure);

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
// record; a failing read raises kRead.  `step`
// receives the running byte count, offset by `doneBefore`.
void ReadFlashRecords(SerialLink& link, uint32_t address, std::span<uint8_t> out,
                      ProgressStep& step, std::size_t doneBefore = 0);

}  // namespace vrx
