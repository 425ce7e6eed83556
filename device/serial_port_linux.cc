// Linux termios backend of SerialPort.  The descriptor stays non-blocking and
// every wait is a poll() against one deadline, so a silent device, a port
// without carrier or a vanished device never blocks longer than the time-out.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <linux/serial.h>

#include "device/custom_bit_rate.h"
#include "device/serial_port.h"
#include "device/termios_speed.h"

namespace vrx {
namespace {

using Clock = std::chrono::steady_clock;

// B0 means "hang up", so a rate of 0 must never reach the driver.
bool CanSetBitRate(int bitRate) {
  return bitRate > 0;  // any positive rate: the rest through BOTHER
}

// Waits for `events` on fd until the deadline: 1 ready, 0 timed out,
// -1 failed or the other side hung up (errno set).
int WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return 0;
    pollfd entry{fd, events, 0};
    int ready = poll(&entry, 1, static_cast<int>(left.count()));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (ready == 0) return 0;
    if (entry.revents & events) return 1;
    errno = EIO;  // POLLHUP, POLLERR or POLLNVAL without data
    return -1;
  }
}

// USB adapters otherwise hold every answer byte for their latency timer
// (an FTDI chip 16 ms), and a Write waits for some 31,000 answers.  Linux's
// ftdi_sio lowers the chip's timer to 1 ms while the flag is set; an
// ordinary user may set it.  Drivers without it refuse, which is fine.
// True when this call set the flag.
bool SetLowLatency(int fd, bool on) {
  const int savedErrno = errno;
  serial_struct serial{};
  bool changed = false;
  if (ioctl(fd, TIOCGSERIAL, &serial) == 0 && ((serial.flags & ASYNC_LOW_LATENCY) != 0) != on) {
    serial.flags = on ? serial.flags | ASYNC_LOW_LATENCY : serial.flags & ~ASYNC_LOW_LATENCY;
    changed = ioctl(fd, TIOCSSERIAL, &serial) == 0;
  }
  errno = savedErrno;
  return changed;
}

class PosixSerialPort final : public SerialPort {
 public:
  PosixSerialPort(int fd, bool clearExclusiveOnClose, bool clearLowLatencyOnClose,
                  const termios& settingsBefore, std::chrono::milliseconds writeTimeout)
      : fd_(fd),
        clearExclusiveOnClose_(clearExclusiveOnClose),
        clearLowLatencyOnClose_(clearLowLatencyOnClose),
        settingsBefore_(settingsBefore),
        writeTimeout_(writeTimeout) {}
  ~PosixSerialPort() override { Close(); }

  bool WriteByte(uint8_t byte) override {
    if (fd_ < 0) return Fail(EBADF);
    const auto deadline = Clock::now() + writeTimeout_;
    for (;;) {
      ssize_t written = write(fd_, &byte, 1);
      if (written == 1) return true;
      if (written < 0 && errno != EAGAIN && errno != EINTR) return false;
      int ready = WaitFor(fd_, POLLOUT, deadline);
      if (ready == 0) return Fail(ETIMEDOUT);
      if (ready < 0) return false;
    }
  }

  int Read(uint8_t* buffer, std::size_t count, std::chrono::milliseconds timeout) override {
    if (fd_ < 0) return Fail(EBADF), -1;
    const auto deadline = Clock::now() + timeout;
    std::size_t received = 0;
    while (received < count) {
      ssize_t got = read(fd_, buffer + received, count - received);
      if (got > 0) {
        received += static_cast<std::size_t>(got);
        continue;
      }
      if (got == 0) return Fail(EIO), -1;  // hang-up: the device is gone
      if (errno == EINTR) continue;
      if (errno != EAGAIN) return -1;
      int ready = WaitFor(fd_, POLLIN, deadline);
      if (ready == 0) break;
      if (ready < 0) return -1;
    }
    return static_cast<int>(received);
  }

  // The normal way out: line settings and latency as they were, flag
  // cleared, lock released.
  void Close() override {
    if (fd_ < 0) return;
    tcsetattr(fd_, TCSANOW, &settingsBefore_);
    if (clearLowLatencyOnClose_) SetLowLatency(fd_, false);
    if (clearExclusiveOnClose_) ioctl(fd_, TIOCNXCL);
    close(fd_);  // also drops the flock
    fd_ = -1;
  }

 private:
  static bool Fail(int error) {
    errno = error;
    return false;
  }

  int fd_;
  bool clearExclusiveOnClose_;
  bool clearLowLatencyOnClose_;
  termios settingsBefore_;
  std::chrono::milliseconds writeTimeout_;
};

// A Unix98 pseudo-terminal's slave (majors 136-143), i.e. the simulator.
bool IsPseudoTerminal(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) return false;
  const unsigned deviceMajor = major(status.st_rdev);
  return deviceMajor >= 136 && deviceMajor <= 143;
}

// A second open of the same port, from this process or another, must fail.
// The flock refuses our own programs (root included) and goes with the
// descriptor, however the process ends.  TIOCEXCL refuses every other
// program but root's; on a real tty the kernel drops it with the last
// close, so a killed process leaves none behind.  A pseudo-terminal's
// flag outlives its holder (the master keeps the terminal alive), so the
// simulator's ports get the lock alone.
// Root gets past another program's flag: it is respected all the same
// (since neither of ours leaves a stale one, a set flag has a holder).
bool TakeExclusive(int fd, bool& setExclusive) {
  int alreadyExclusive = 0;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 ||
      (ioctl(fd, TIOCGEXCL, &alreadyExclusive) == 0 && alreadyExclusive)) {
    errno = EBUSY;
    return false;
  }
  setExclusive = !IsPseudoTerminal(fd) && ioctl(fd, TIOCEXCL) == 0;
  return true;
}

// Raw bytes with the module's framing; flow control lines, special
// characters and the rest stay as the port reports them.  XON/XOFF goes off:
// a Linux tty starts with IXON, which would swallow 0x11 and 0x13 out of
// binary records.
void SetModuleFraming(termios& settings) {
  settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                             ICRNL | IXON | IXOFF | IXANY | INPCK);
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARODD | CSTOPB);
  settings.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
  // CLOCAL: like the Windows port, ignore carrier detect.
  settings.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
}

// A pseudo-terminal drops the parity and character size it is asked for,
// and then refuses (EINVAL) a request whose only change is one it drops.
// The port is as wanted if nothing else differs.  Parity is never read back
// as a check: a pty never reports it.
bool OnlyPtyDroppedBitsDiffer(int fd, const termios& wanted) {
  termios actual{};
  if (tcgetattr(fd, &actual) != 0) return false;
  const tcflag_t dropped = CSIZE | PARENB | PARODD;
  return actual.c_iflag == wanted.c_iflag && actual.c_oflag == wanted.c_oflag &&
         actual.c_lflag == wanted.c_lflag &&
         (actual.c_cflag & ~dropped) == (wanted.c_cflag & ~dropped) &&
         cfgetispeed(&actual) == cfgetispeed(&wanted) &&
         cfgetospeed(&actual) == cfgetospeed(&wanted) &&
         std::memcmp(actual.c_cc, wanted.c_cc, sizeof actual.c_cc) == 0;
}

bool ApplyFraming(int fd, int bitRate) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  SetModuleFraming(settings);
  const speed_t standard = vrx_termios_speed(bitRate);
  // A rate without a B-constant is set exactly afterwards.
  const speed_t placeholder = standard != B0 ? standard : B38400;
  cfsetispeed(&settings, placeholder);
  cfsetospeed(&settings, placeholder);
  if (tcsetattr(fd, TCSANOW, &settings) != 0) {
    if (errno != EINVAL || !OnlyPtyDroppedBitsDiffer(fd, settings)) return false;
  }
  if (standard == B0 && !SetCustomBitRate(fd, bitRate)) return false;
  return true;
}

}  // namespace

PortOpening OpenPlatformSerialPort(const std::string& devicePath, int bitRate,
                                   const SerialOptions& options) {
  if (!CanSetBitRate(bitRate)) return {nullptr, EINVAL};
  // O_NONBLOCK: a port without carrier must not hang the open.
  int fd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {nullptr, errno};
  bool setExclusive = false;
  termios settingsBefore{};
  if (!isatty(fd) || !TakeExclusive(fd, setExclusive) || tcgetattr(fd, &settingsBefore) != 0 ||
      !ApplyFraming(fd, bitRate)) {
    const int error = errno;  // before the clean-up can change it
    if (setExclusive) ioctl(fd, TIOCNXCL);
    close(fd);
    return {nullptr, error};
  }
  // For this session only: the next program finds the port as it was.
  const bool setLowLatency = SetLowLatency(fd, true);
  // An answer still on the line from an earlier session (one that was
  // interrupted, say) would be taken for this session's first answer.
  tcflush(fd, TCIOFLUSH);
  return {std::make_unique<PosixSerialPort>(fd, setExclusive, setLowLatency, settingsBefore,
                                            options.writeTimeout)};
}

}  // namespace vrx
