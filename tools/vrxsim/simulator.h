// A simulated VRX7100 on a pseudo-terminal, answering on a thread of its
// own until it is destroyed.  Tests start one per case; the vrxsim program
// runs one until it is killed.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/vrxsim/adapter_model.h"
#include "tools/vrxsim/fault_plan.h"
#include "tools/vrxsim/flash_memory.h"
#include "tools/vrxsim/lcd_model.h"
#include "tools/vrxsim/module_model.h"
#include "tools/vrxsim/pty_port.h"
#include "tools/vrxsim/transcript.h"

namespace vrx::sim {

struct SimulatorOptions {
  std::optional<FlashBytes> initialFlash;  // default: erased (all 0xFF)
  bool startInLoader = false;
  Strictness strictness = Strictness::kStrict;
  // Deliver each byte no sooner than a real line at the host's bit rate
  // would: 11 bit times (start, 8 data, parity, stop) per byte, in each
  // direction.
  bool wireTime = false;
  // How the module's bytes reach the host after the line: at once, or as
  // a USB serial adapter hands them on.
  AdapterSettings adapter;
  std::vector<Fault> faults;
  std::filesystem::path linkPath;  // optional symlink to the device path
  // Record every byte for TakeTranscript.  Tests compare conversations with
  // it; the vrxsim program, which may run for days, turns it off (its
  // --trace prints the bytes instead of keeping them).
  bool keepTranscript = true;

  // Called with the module's lock held: for every byte, on the
  // simulator's thread; and each time the host closes the port (and once
  // more when the simulator stops), where the versions of the module tell
  // what changed since the last call.
  std::function<void(const TranscriptEntry&)> onByte;
  std::function<void(const ModuleModel&)> onHostClosed;
};

class Simulator {
 public:
  // Null with `error` set when no pseudo-terminal could be made.
  static std::unique_ptr<Simulator> Start(SimulatorOptions options, std::string& error);
  ~Simulator();  // stops the thread, then closes the pty and removes the link
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // The path a host opens, e.g. "/dev/pts/7".  A new one after PlugIn.
  std::string DevicePath() const;

  // The module is pulled off the line: its pseudo-terminal vanishes (the
  // host's end hangs up) and the link is removed.  Takes effect on the
  // simulator's thread shortly after.
  void Unplug();
  // The next module is plugged in: a new pseudo-terminal (and link) with a
  // fresh module behind it, in the state the simulator started with.  The
  // new device path, or "" with `error` set.
  std::string PlugIn(std::string& error);

  Transcript TakeTranscript();  // returns and clears what was recorded (keepTranscript)
  Transcript CurrentTranscript() const;
  FlashBytes Flash() const;
  std::array<uint8_t, 64> Cgram() const;
  std::string LcdArt() const;
  bool InLoader() const;
  // True once a "vanish" fault has closed the pseudo-terminal.
  bool Vanished() const { return vanished_; }
  // How often a host that had sent something closed the port again.
  int HostCloses() const { return hostCloses_; }

 private:
  Simulator(SimulatorOptions options, std::unique_ptr<PtyPort> port);
  void Run();
  // False once the module has vanished.
  bool HandleHostBytes(const uint8_t* bytes, std::size_t count);
  void HostClosed(bool stopping);
  // The module sends `bytes`: recorded, then handed to the adapter, which
  // passes them on now or later (DeliverDue).
  bool SendToHost(const uint8_t* bytes, std::size_t count, int64_t arrivedNs);
  // Writes what the adapter has sent by now to the host's end.
  bool DeliverDue();
  bool WriteToMaster(const uint8_t* bytes, std::size_t count);
  // Sleeps until `deadline` (ns on the monotonic clock); false when asked
  // to stop meanwhile.
  bool WaitUntil(int64_t deadline);
  bool WaitForStop(int milliseconds);
  void SendControl(char command);
  void TakeControl();

  SimulatorOptions options_;
  std::unique_ptr<PtyPort> port_;
  std::string devicePath_;
  mutable std::mutex mutex_;  // guards model_ and transcript_
  ModuleModel model_;
  Transcript transcript_;
  bool hostOpen_ = false;
  int64_t hostLineFree_ = 0;    // wire time: when the last host byte arrived
  int64_t moduleLineFree_ = 0;  // wire time: when the last module byte left
  AdapterDelivery adapter_;
  int stopPipe_[2] = {-1, -1};
  int controlPipe_[2] = {-1, -1};         // 'u' unplug, 'p' plug in
  std::unique_ptr<PtyPort> pendingPort_;  // guarded by mutex_
  bool unplugged_ = false;
  std::atomic<bool> vanished_{false};
  std::atomic<int> hostCloses_{0};
  std::thread thread_;
};

}  // namespace vrx::sim
