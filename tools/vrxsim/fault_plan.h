// Faults to inject into the module's answers, so that hosts can be tested
// against every answer a real module may give.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrx::sim {

// The places where the module answers.  Each counts its own occurrences.
enum class AnswerPoint {
  kConnect,   // answer to 0xC4 (0xFA in the application, 0xC4 in the loader)
  kEnter,     // answers to 0xC3 and 0x3C
  kLcd,       // acknowledgement of each LCD command or argument byte
  kEcho,      // echo of the loader commands 0x11, 0xA5, 0x5A, 0x5B, 0x5C
  kZero,      // 0x00 answering address, mask, data and checksum bytes
  kRead,      // the 128 bytes of a record read
  kErase,     // erase status (0x09 done, 0x03 failed)
  kPrompt,    // 0x0B the module sends before the checksum
  kRecord,    // record status (0x0A written, 0x06 refused, 0x04 failed)
  kExit,      // echo of 0x5D
  kHostByte,  // any byte from the host (for silence or vanishing anywhere)
};

enum class FaultAction {
  kReplace,  // send `value` instead of the true answer
  kSilent,   // send nothing
  kShort,    // a record read sends only its first 127 bytes
  kVanish,   // close the pseudo-terminal, as if the module was unplugged
};

struct Fault {
  AnswerPoint point = AnswerPoint::kConnect;
  FaultAction action = FaultAction::kSilent;
  uint8_t value = 0;
  int first = 0;  // zero-based occurrence of `point` the fault starts at
  int count = 1;  // occurrences affected; kEvery for all from `first` on
  static constexpr int kEvery = -1;
};

// Parses "POINT=ACTION[@FIRST][xCOUNT]", e.g. "record=0x06x5",
// "lcd=0xFE@3x2", "connect=silent", "read=short", "host=vanish@300",
// "erase=0x03x*".  Returns the fault or sets `error`.
std::optional<Fault> ParseFault(std::string_view text, std::string& error);

std::string_view AnswerPointName(AnswerPoint point);

// A byte written as vrxsim's options write them: "0x06" or "6".
std::optional<uint8_t> ParseByteValue(std::string_view text);

// The faults of one simulator run, with their occurrence counters.
class FaultPlan {
 public:
  FaultPlan() = default;
  explicit FaultPlan(std::vector<Fault> faults) : faults_(std::move(faults)) {}

  void Add(const Fault& fault) { faults_.push_back(fault); }

  // Counts one occurrence of `point` and returns the fault that applies
  // to it, if any.
  std::optional<Fault> Next(AnswerPoint point);

 private:
  std::vector<Fault> faults_;
  int seen_[static_cast<int>(AnswerPoint::kHostByte) + 1] = {};
};

}  // namespace vrx::sim
