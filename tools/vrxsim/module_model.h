// What a VRX7100 answers, byte by byte: the application firmware (mode
// change, LCD commands) and the loader (read, erase and write of the
// flash).  No I/O here; the simulator feeds it the host's bytes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/vrxsim/fault_plan.h"
#include "tools/vrxsim/flash_memory.h"
#include "tools/vrxsim/lcd_model.h"

namespace vrx::sim {

// The module's reaction to one host byte.
struct Reaction {
  std::vector<uint8_t> answer;
  bool vanish = false;  // a fault unplugs the module here
};

// The only rate the loader hears.
inline constexpr int kLoaderBitRate = 38400;

// How closely the model follows a real module.  A strict one (the default)
// never learns that the host closed its port, so a half-sent command stays
// half-sent, and its loader takes only bytes sent at 38400 bit/s (others
// arrive garbled and are lost).  A forgiving one forgets a half-received
// command when the host closes the port and hears every rate.
enum class Strictness { kStrict, kForgiving };

class ModuleModel {
 public:
  ModuleModel(const FlashBytes& flash, bool startInLoader, FaultPlan faults,
              Strictness strictness = Strictness::kStrict);

  // One host byte, sent at `hostBitRate` (0: unknown, taken as right).
  Reaction Feed(uint8_t hostByte, int hostBitRate = 0);

  // The host closed the port.  Only a forgiving module notices: it drops
  // a half-received command, so the next connection starts clean.  The
  // mode stays either way.
  void HostClosed() {
    if (strictness_ == Strictness::kForgiving) state_ = State::kIdle;
  }

  // Another module takes this one's place on the line: its own flash,
  // mode and LCD; the faults keep counting across modules.
  void ReplaceModule(const FlashBytes& flash, bool startInLoader);

  bool InLoader() const { return inLoader_; }
  const FlashMemory& Flash() const { return flash_; }
  const LcdModel& Lcd() const { return lcd_; }
  // Bumped on every change, so observers can tell what to print or save.
  uint64_t FlashVersion() const { return flashVersion_; }
  uint64_t LcdVersion() const { return lcdVersion_; }

 private:
  enum class State {
    kIdle,
    kLcdInstruction,
    kLcdData,
    kReadAddressLow,
    kReadAddressHigh,
    kEraseMask,
    kWriteFrame,
    kRecordAddressLow,
    kRecordAddressHigh,
    kRecordData,
    kChecksumLow,
    kChecksumHigh,
  };

  void ApplicationCommand(uint8_t command, Reaction& reaction);
  void LoaderCommand(uint8_t command, Reaction& reaction);
  // Answers an address, mask, data or checksum byte with 0x00.
  bool Acknowledge(Reaction& reaction);
  void SendRecord(Reaction& reaction);
  void FinishErase(uint8_t mask, Reaction& reaction);
  void FinishRecord(Reaction& reaction);
  // Sends `value` unless a fault takes its place; true when it went out
  // as the module meant it, so the command may go on.
  bool Send(AnswerPoint point, uint8_t value, Reaction& reaction);
  void ApplyFault(const Fault& fault, Reaction& reaction);

  FlashMemory flash_;
  LcdModel lcd_;
  FaultPlan faults_;
  Strictness strictness_;
  bool inLoader_;
  State state_ = State::kIdle;
  uint16_t address_ = 0;
  std::array<uint8_t, 128> record_{};
  std::size_t recordFill_ = 0;
  uint16_t checksum_ = 0;
  uint64_t flashVersion_ = 0;
  uint64_t lcdVersion_ = 0;
};

}  // namespace vrx::sim
