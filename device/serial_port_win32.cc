// Windows backend of SerialPort: the COM port opened exclusively (share
// mode 0), framed by a DCB, every wait bounded by COMMTIMEOUTS so a silent
// or vanished device never blocks longer than the time-out.
#include <windows.h>

#include <cerrno>

#include "device/serial_port.h"
#include "platform/wide_text_win32.h"

namespace vrx {
namespace {

int ErrnoFor(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return EBUSY;  // another program has the port
    case ERROR_INVALID_PARAMETER:
      return EINVAL;
    case ERROR_OPERATION_ABORTED:
    case ERROR_DEVICE_REMOVED:
    case ERROR_BAD_COMMAND:
      return EIO;
    default:
      return EIO;
  }
}

bool Fail(DWORD error) {
  errno = ErrnoFor(error);
  return false;
}

// 8 data bits, even parity generated but not checked, one stop bit, binary,
// no flow control of any kind (hardware lines held on, XON/XOFF off).
bool ApplyFraming(HANDLE port, int bitRate) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(port, &dcb)) return false;
  dcb.BaudRate = static_cast<DWORD>(bitRate);
  dcb.ByteSize = 8;
  dcb.Parity = EVENPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  return SetCommState(port, &dcb) != 0;
}

class Win32SerialPort final : public SerialPort {
 public:
  Win32SerialPort(HANDLE port, std::chrono::milliseconds writeTimeout)
      : port_(port), writeTimeout_(writeTimeout) {}
  ~Win32SerialPort() override { Close(); }

  bool WriteByte(uint8_t byte) override {
    if (port_ == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE);
    if (!SetTimeouts(readTimeout_)) return false;
    DWORD written = 0;
    if (!WriteFile(port_, &byte, 1, &written, nullptr)) return Fail(GetLastError());
    if (written != 1) {
      errno = ETIMEDOUT;
      return false;
    }
    return true;
  }

  int Read(uint8_t* buffer, std::size_t count, std::chrono::milliseconds timeout) override {
    if (port_ == INVALID_HANDLE_VALUE) return Fail(ERROR_INVALID_HANDLE), -1;
    if (count == 0) return 0;
    if (!SetTimeouts(timeout)) return -1;
    // With only a total time-out ReadFile returns when `count` bytes have
    // arrived or the time is up: one deadline for the whole request.
    DWORD received = 0;
    if (!ReadFile(port_, buffer, static_cast<DWORD>(count), &received, nullptr))
      return Fail(GetLastError()), -1;
    return static_cast<int>(received);
  }

  void Close() override {
    if (port_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(port_);
    port_ = INVALID_HANDLE_VALUE;
  }

 private:
  // Set only when the read wait changes: most requests use the same one.
  bool SetTimeouts(std::chrono::milliseconds readTimeout) {
    if (timeoutsSet_ && readTimeout == readTimeout_) return true;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadTotalTimeoutConstant = ClampedMilliseconds(readTimeout);
    timeouts.WriteTotalTimeoutConstant = ClampedMilliseconds(writeTimeout_);
    if (!SetCommTimeouts(port_, &timeouts)) return Fail(GetLastError());
    readTimeout_ = readTimeout;
    timeoutsSet_ = true;
    return true;
  }

  // 0 would mean "wait forever" to the driver; the shortest wait is 1 ms.
  static DWORD ClampedMilliseconds(std::chrono::milliseconds time) {
    const auto count = time.count();
    if (count < 1) return 1;
    if (count >= static_cast<long long>(MAXDWORD)) return MAXDWORD - 1;
    return static_cast<DWORD>(count);
  }

  HANDLE port_;
  std::chrono::milliseconds writeTimeout_;
  std::chrono::milliseconds readTimeout_{0};
  bool timeoutsSet_ = false;
};

}  // namespace

PortOpening OpenPlatformSerialPort(const std::string& devicePath, int bitRate,
                                   const SerialOptions& options) {
  if (bitRate <= 0) return {nullptr, EINVAL};
  const HANDLE port = CreateFileW(WidenUtf8(devicePath).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) return {nullptr, ErrnoFor(GetLastError())};
  if (GetFileType(port) != FILE_TYPE_CHAR || !ApplyFraming(port, bitRate)) {
    const DWORD error = GetLastError();
    CloseHandle(port);
    return {nullptr, ErrnoFor(error == ERROR_SUCCESS ? ERROR_INVALID_PARAMETER : error)};
  }
  PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
  return {std::make_unique<Win32SerialPort>(port, options.writeTimeout)};
}

}  // namespace vrx
