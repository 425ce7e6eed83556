// What a long exchange with the module reports while it runs, so that a
// front end can draw a progress bar or print an event stream.  The log
// stays the writer's own; this is for everything beyond it.
#pragma once

#include <cstddef>

namespace vrx {

enum class DeviceStep { kConnect, kReadBack, kErase, kWrite, kRead, kExit };

struct StepInfo {
  DeviceStep step = DeviceStep::kConnect;
  int block = -1;         // flash block the step works on; -1 for none
  std::size_t total = 0;  // bytes the step moves; 0 for steps that move none
};

class DeviceProgress {
 public:
  virtual ~DeviceProgress() = default;
  virtual void StepStarted(const StepInfo&) {}
  virtual void BytesDone(const StepInfo&, std::size_t /*done*/) {}
  virtual void StepEnded(const StepInfo&, bool /*succeeded*/) {}
};

// Reports nothing.
DeviceProgress& NoProgress();

// Reports a step's start at construction and its end at destruction, failed
// unless Succeeded() was called (a raised failure skips it).
class ProgressStep {
 public:
  ProgressStep(DeviceProgress& progress, StepInfo info) : progress_(progress), info_(info) {
    progress_.StepStarted(info_);
  }
  ~ProgressStep() { progress_.StepEnded(info_, succeeded_); }
  ProgressStep(const ProgressStep&) = delete;
  ProgressStep& operator=(const ProgressStep&) = delete;

  void Bytes(std::size_t done) { progress_.BytesDone(info_, done); }
  void Succeeded() { succeeded_ = true; }

 private:
  DeviceProgress& progress_;
  StepInfo info_;
  bool succeeded_ = false;
};

}  // namespace vrx
