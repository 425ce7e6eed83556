// The conversation a correct host has with the module, built byte by byte
// from the protocol, to compare with what the simulator recorded.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vrxsim/flash_memory.h"
#include "tools/vrxsim/transcript.h"

namespace vrx::test {

class ConversationBuilder {
 public:
  explicit ConversationBuilder(int bitRate) : bitRate_(bitRate) {}
  void SetRate(int bitRate) { bitRate_ = bitRate; }

  // One host byte and the module's answer.
  ConversationBuilder& Exchange(uint8_t host, uint8_t answer);
  ConversationBuilder& Unanswered(uint8_t host);
  ConversationBuilder& ModuleSends(uint8_t value);

  ConversationBuilder& ReadRecord(uint16_t address, const sim::FlashBytes& flash);
  ConversationBuilder& Erase(uint8_t mask);
  // One attempt at one record, status included.
  ConversationBuilder& RecordAttempt(uint16_t address, const uint8_t* data, uint8_t status);
  // 0x5A, the records of `length` bytes, 0x5C.
  ConversationBuilder& WriteChunk(uint16_t address, const uint8_t* data, std::size_t length);

  const sim::Transcript& Get() const { return transcript_; }

 private:
  int bitRate_;
  sim::Transcript transcript_;
};

struct WriteScenario {
  bool startInLoader = false;
  int chosenRate = 38400;
  sim::FlashBytes moduleFlash;  // before the write
  sim::FlashBytes image;        // what is written
};

// The whole conversation of a successful flash update.
sim::Transcript ExpectedWrite(const WriteScenario& scenario);

// The log a successful update appends, with or without the block 0 lines.
std::string ExpectedSuccessLog(bool block0Rewritten);
// What a failure appends after the steps that succeeded: the message, the
// cause on a line of its own when there is one, and the stopping line.
std::string FailureTail(const std::string& message, const std::string& cause = {});
// The cause under a failed connect when nobody else holds the port.
inline const std::string kPowerCycleCause =
    "モジュールの電源を切って入れ直してから、もう一度やり直してください。";

// First position where the two differ, described for a failure message.
std::string FirstDifference(const sim::Transcript& actual, const sim::Transcript& expected);

}  // namespace vrx::test
