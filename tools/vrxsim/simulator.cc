#include "tools/vrxsim/simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace vrx::sim {
namespace {

constexpr int kBitsPerByte = 11;  // start, 8 data, parity, stop
// While the host has the port closed, reads on the master fail at once;
// this pause keeps the simulator from spinning until it comes back.
constexpr int kClosedPortBackoffMs = 5;

int64_t NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

int64_t ByteTimeNs(int bitRate) {
  return bitRate > 0 ? int64_t{kBitsPerByte} * 1'000'000'000 / bitRate : 0;
}

// The flash a module starts with: the one given, else erased.
FlashBytes StartingFlash(const SimulatorOptions& options) {
  if (options.initialFlash) return *options.initialFlash;
  FlashBytes erased;
  erased.fill(0xFF);
  return erased;
}

}  // namespace

std::unique_ptr<Simulator> Simulator::Start(SimulatorOptions options, std::string& error) {
  auto port = PtyPort::Create(options.linkPath, error);
  if (!port) return nullptr;
  std::unique_ptr<Simulator> simulator(new Simulator(std::move(options), std::move(port)));
  if (pipe2(simulator->stopPipe_, O_CLOEXEC) != 0 ||
      pipe2(simulator->controlPipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    error = std::string("cannot create a pipe: ") + std::strerror(errno);
    return nullptr;
  }
  simulator->thread_ = std::thread([raw = simulator.get()] { raw->Run(); });
  return simulator;
}

Simulator::Simulator(SimulatorOptions options, std::unique_ptr<PtyPort> port)
    : options_(std::move(options)),
      port_(std::move(port)),
      devicePath_(port_->SlavePath()),
      model_(StartingFlash(options_), options_.startInLoader, FaultPlan(options_.faults),
             options_.strictness),
      adapter_(options_.adapter, NowNs()) {}

Simulator::~Simulator() {
  if (thread_.joinable()) {
    const char stop = 1;
    (void)!write(stopPipe_[1], &stop, 1);
    thread_.join();
  }
  HostClosed(true);  // a last report, e.g. for flash changes to save
  for (int fd : {stopPipe_[0], stopPipe_[1], controlPipe_[0], controlPipe_[1]}) {
    if (fd >= 0) close(fd);
  }
}

std::string Simulator::DevicePath() const {
  std::lock_guard lock(mutex_);
  return devicePath_;
}

void Simulator::Unplug() { SendControl('u'); }

std::string Simulator::PlugIn(std::string& error) {
  auto port = PtyPort::Create(options_.linkPath, error);
  if (!port) return {};
  std::string path = port->SlavePath();
  {
    std::lock_guard lock(mutex_);
    pendingPort_ = std::move(port);
  }
  SendControl('p');
  return path;
}

void Simulator::SendControl(char command) { (void)!write(controlPipe_[1], &command, 1); }

void Simulator::TakeControl() {
  char command = 0;
  while (read(controlPipe_[0], &command, 1) == 1) {
    if (!unplugged_) {
      HostClosed(false);  // reports and saves what the host changed
      port_->Vanish();
      unplugged_ = true;
    }
    if (command != 'p') continue;
    std::lock_guard lock(mutex_);
    if (!pendingPort_) continue;
    port_ = std::move(pendingPort_);
    devicePath_ = port_->SlavePath();
    model_.ReplaceModule(StartingFlash(options_), options_.startInLoader);
    unplugged_ = false;
  }
}

Transcript Simulator::TakeTranscript() {
  std::lock_guard lock(mutex_);
  Transcript taken;
  taken.swap(transcript_);
  return taken;
}

Transcript Simulator::CurrentTranscript() const {
  std::lock_guard lock(mutex_);
  return transcript_;
}

FlashBytes Simulator::Flash() const {
  std::lock_guard lock(mutex_);
  return model_.Flash().Bytes();
}

std::array<uint8_t, 64> Simulator::Cgram() const {
  std::lock_guard lock(mutex_);
  return model_.Lcd().Cgram();
}

std::string Simulator::LcdArt() const {
  std::lock_guard lock(mutex_);
  return model_.Lcd().Render();
}

bool Simulator::InLoader() const {
  std::lock_guard lock(mutex_);
  return model_.InLoader();
}

bool Simulator::WaitForStop(int milliseconds) {
  pollfd stop{stopPipe_[0], POLLIN, 0};
  return poll(&stop, 1, milliseconds) == 0;
}

bool Simulator::WaitUntil(int64_t deadline) {
  for (;;) {
    const int64_t remaining = deadline - NowNs();
    if (remaining <= 0) return true;
    if (remaining > 2'000'000) {
      // Long waits (slow rates, 128-byte reads) stay responsive to Stop.
      if (!WaitForStop(static_cast<int>(remaining / 1'000'000) - 1)) return false;
      continue;
    }
    const timespec until{static_cast<time_t>(deadline / 1'000'000'000),
                         static_cast<long>(deadline % 1'000'000'000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
  }
}

void Simulator::Run() {
  // Byte times at 38400 bit/s are under 300 us; the default 50 us timer
  // slack would stretch every one of them.
  if (options_.wireTime) prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  uint8_t buffer[512];
  for (;;) {
    // While unplugged there is no master to watch (poll skips fd -1).
    pollfd fds[3] = {{unplugged_ ? -1 : port_->MasterFd(), POLLIN, 0},
                     {stopPipe_[0], POLLIN, 0},
                     {controlPipe_[0], POLLIN, 0}};
    // Bytes the adapter still holds are due at a time of their own.
    timespec untilDue{};
    const auto due = unplugged_ ? std::nullopt : adapter_.NextSendNs();
    if (due) {
      const int64_t wait = std::max<int64_t>(*due - NowNs(), 0);
      untilDue = {static_cast<time_t>(wait / 1'000'000'000),
                  static_cast<long>(wait % 1'000'000'000)};
    }
    if (ppoll(fds, 3, due ? &untilDue : nullptr, nullptr) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents != 0) return;
    if (!unplugged_ && !DeliverDue()) return;
    if (fds[2].revents != 0) {
      TakeControl();
      continue;
    }
    if (unplugged_) continue;
    const ssize_t count = read(port_->MasterFd(), buffer, sizeof buffer);
    if (count > 0) {
      hostOpen_ = true;
      if (!HandleHostBytes(buffer, static_cast<std::size_t>(count))) return;
      continue;
    }
    if (count < 0 && errno == EAGAIN) continue;
    // EIO: no host has the slave open.
    HostClosed(false);
    if (!WaitForStop(kClosedPortBackoffMs)) return;
  }
}

void Simulator::HostClosed(bool stopping) {
  std::lock_guard lock(mutex_);
  const bool wasOpen = hostOpen_;
  hostOpen_ = false;
  if (wasOpen) {
    model_.HostClosed();
    ++hostCloses_;
    // A USB serial driver purges the adapter's buffers when the port is
    // opened again; what it held never reaches the next session.
    adapter_.TakeSent(std::numeric_limits<int64_t>::max());
  }
  if ((wasOpen || stopping) && options_.onHostClosed) options_.onHostClosed(model_);
}

bool Simulator::HandleHostBytes(const uint8_t* bytes, std::size_t count) {
  const int bitRate = port_->HostBitRate();
  const int64_t byteTime = options_.wireTime ? ByteTimeNs(bitRate) : 0;
  if (byteTime > 0) hostLineFree_ = std::max(hostLineFree_, NowNs());
  for (std::size_t i = 0; i < count; ++i) {
    if (byteTime > 0) {
      // The byte is taken to have started on the line when it was read.
      hostLineFree_ += byteTime;
      if (!WaitUntil(hostLineFree_)) return false;
    }
    Reaction reaction;
    {
      std::lock_guard lock(mutex_);
      const TranscriptEntry in{Direction::kHostToModule, bytes[i], bitRate};
      if (options_.keepTranscript) transcript_.push_back(in);
      if (options_.onByte) options_.onByte(in);
      reaction = model_.Feed(bytes[i], bitRate);
    }
    if (reaction.vanish) {
      vanished_ = true;
      port_->Vanish();
      return false;
    }
    if (reaction.answer.empty()) continue;
    if (byteTime == 0) {
      if (!SendToHost(reaction.answer.data(), reaction.answer.size(), NowNs())) return false;
      continue;
    }
    moduleLineFree_ = std::max(moduleLineFree_, NowNs());
    for (uint8_t value : reaction.answer) {
      moduleLineFree_ += byteTime;
      if (!WaitUntil(moduleLineFree_) || !SendToHost(&value, 1, moduleLineFree_)) return false;
    }
  }
  return true;
}

bool Simulator::SendToHost(const uint8_t* bytes, std::size_t count, int64_t arrivedNs) {
  {
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < count; ++i) {
      const TranscriptEntry out{Direction::kModuleToHost, bytes[i], 0};
      if (options_.keepTranscript) transcript_.push_back(out);
      if (options_.onByte) options_.onByte(out);
    }
  }
  for (std::size_t i = 0; i < count; ++i) adapter_.Arrive(bytes[i], arrivedNs);
  return DeliverDue();
}

bool Simulator::DeliverDue() {
  const std::vector<uint8_t> sent = adapter_.TakeSent(NowNs());
  return sent.empty() || WriteToMaster(sent.data(), sent.size());
}

bool Simulator::WriteToMaster(const uint8_t* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = write(port_->MasterFd(), bytes, count);
    if (written > 0) {
      bytes += written;
      count -= static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN) return true;  // host gone: the bytes are lost
    // The host is not reading; wait for room, or for Stop.
    pollfd fds[2] = {{port_->MasterFd(), POLLOUT, 0}, {stopPipe_[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0 && errno != EINTR) return false;
    if (fds[1].revents != 0) return false;
  }
  return true;
}

}  // namespace vrx::sim
