// Linux termios backend of SerialPort.  The descriptor stays non-blocking and
// every wait is a poll() against one deadline, so a silent device, a port
// without carrier or a vanished device never blocks longer than the time-out.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <linux/serial.h>

#include "device/custom_bit_rate.h"
#include "device/serial_port.h"
#include "platform/port_diagnosis.h"

namespace vrx {
namespace {

using Clock = std::chrono::steady_clock;

// The B-constant for a rate, or B0 when POSIX has none for it.
speed_t StandardSpeed(int bitRate) {
  switch (bitRate) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    default:
      return B0;
  }
}

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

// The exclusive flag lives in the terminal, not in the process: a process
// killed outright (SIGKILL) would leave it set for as long as anything else
// keeps the terminal open (a pseudo-terminal's other end, for one), and
// every later open would fail.  A small child holding a copy of the
// descriptor clears it then: it waits on a pipe whose write end only this
// process holds; a byte means the port was closed the normal way, end of
// file that this process is gone.
class ExclusiveFlagKeeper {
 public:
  explicit ExclusiveFlagKeeper(int fd) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return;
    const pid_t child = fork();
    if (child == 0) WatchOver(fd, ends[0], ends[1]);
    close(ends[0]);
    if (child < 0) {
      close(ends[1]);
      return;
    }
    child_ = child;
    toChild_ = ends[1];
    RegisterPortHelper(child_);
  }
  ~ExclusiveFlagKeeper() {
    if (child_ <= 0) return;
    const char closedNormally = 'c';
    [[maybe_unused]] ssize_t sent = write(toChild_, &closedNormally, 1);
    close(toChild_);
    while (waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
    }
    ForgetPortHelper(child_);
  }
  ExclusiveFlagKeeper(const ExclusiveFlagKeeper&) = delete;
  ExclusiveFlagKeeper& operator=(const ExclusiveFlagKeeper&) = delete;

 private:
  // Runs in the child, which may only make async-signal-safe calls.
  [[noreturn]] static void WatchOver(int fd, int fromParent, int toParentEnd) {
    close(toParentEnd);
    // Hold nothing else: another end of the line (a pseudo-terminal's
    // master, a pipe) must close when this process closes it.
    const unsigned low = static_cast<unsigned>(std::min(fd, fromParent));
    const unsigned high = static_cast<unsigned>(std::max(fd, fromParent));
    if (low > 0) close_range(0, low - 1, 0);
    if (high > low + 1) close_range(low + 1, high - 1, 0);
    close_range(high + 1, ~0U, 0);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    // Ctrl-C reaches the whole process group; the parent decides.
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &ignore, nullptr);
    char message = 0;
    ssize_t got;
    while ((got = read(fromParent, &message, 1)) < 0 && errno == EINTR) {
    }
    if (got == 0) {
      // The lock first: the descriptor is shared, so it holds the lock until
      // this process ends, and an open that sees the flag gone must succeed.
      flock(fd, LOCK_UN);
      ioctl(fd, TIOCNXCL);
    }
    _exit(0);
  }

  pid_t child_ = -1;
  int toChild_ = -1;
};

class PosixSerialPort final : public SerialPort {
 public:
  PosixSerialPort(int fd, bool clearExclusiveOnClose, const termios& settingsBefore,
                  std::chrono::milliseconds writeTimeout)
      : fd_(fd),
        clearExclusiveOnClose_(clearExclusiveOnClose),
        settingsBefore_(settingsBefore),
        writeTimeout_(writeTimeout) {
    if (clearExclusiveOnClose_) keeper_ = std::make_unique<ExclusiveFlagKeeper>(fd_);
  }
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

  // The normal way out: line settings as they were, flag cleared, lock
  // released.
  void Close() override {
    if (fd_ < 0) return;
    tcsetattr(fd_, TCSANOW, &settingsBefore_);
    if (clearExclusiveOnClose_) ioctl(fd_, TIOCNXCL);
    keeper_.reset();
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
  termios settingsBefore_;
  std::chrono::milliseconds writeTimeout_;
  std::unique_ptr<ExclusiveFlagKeeper> keeper_;
};

// A second open of the same port, from this process or another, must fail.
// TIOCEXCL stops other opens except root's, so a flock backs it up.  An
// exclusive flag with the lock free and nobody else having the port open is
// stale (left by a process killed outright) and is taken over.
bool TakeExclusive(int fd, const std::string& devicePath, bool& setExclusive) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    errno = EBUSY;
    return false;
  }
  int alreadyExclusive = 0;
  if (ioctl(fd, TIOCGEXCL, &alreadyExclusive) == 0 && alreadyExclusive &&
      !FindPortUsers(devicePath).empty()) {
    errno = EBUSY;  // someone else holds it; only root gets this far
    return false;
  }
  setExclusive = ioctl(fd, TIOCEXCL) == 0;
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
  const speed_t standard = StandardSpeed(bitRate);
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

// USB adapters otherwise hold every answer byte for their latency timer,
// and a write has some 60,000 acknowledged round trips.
void RequestLowLatency(int fd) {
  const int savedErrno = errno;
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) == 0 && !(serial.flags & ASYNC_LOW_LATENCY)) {
    serial.flags |= ASYNC_LOW_LATENCY;
    ioctl(fd, TIOCSSERIAL, &serial);  // unsupported drivers refuse; that is fine
  }
  errno = savedErrno;
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
  if (!isatty(fd) || !TakeExclusive(fd, devicePath, setExclusive) ||
      tcgetattr(fd, &settingsBefore) != 0 || !ApplyFraming(fd, bitRate)) {
    const int error = errno;  // before the clean-up can change it
    if (setExclusive) ioctl(fd, TIOCNXCL);
    close(fd);
    return {nullptr, error};
  }
  RequestLowLatency(fd);
  // An answer still on the line from an earlier session (one that was
  // interrupted, say) would be taken for this session's first answer.
  tcflush(fd, TCIOFLUSH);
  return {std::make_unique<PosixSerialPort>(fd, setExclusive, settingsBefore, options.writeTimeout)};
}

}  // namespace vrx
