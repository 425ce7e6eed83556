#include "tools/vrxsim/module_model.h"

#include <numeric>

namespace vrx::sim {
namespace {

constexpr uint8_t kAck = 0xFA;
constexpr uint8_t kRejected = 0xF1;
constexpr uint8_t kZeroAnswer = 0x00;
constexpr uint8_t kChecksumPrompt = 0x0B;
constexpr uint8_t kRecordWritten = 0x0A;
constexpr uint8_t kRecordRefused = 0x06;
constexpr uint8_t kRecordFailed = 0x04;
constexpr uint8_t kEraseDone = 0x09;
constexpr uint8_t kEraseFailed = 0x03;
constexpr std::size_t kRecordSize = 128;

}  // namespace

ModuleModel::ModuleModel(const FlashBytes& flash, bool startInLoader, FaultPlan faults,
                         Strictness strictness)
    : flash_(flash),
      faults_(std::move(faults)),
      strictness_(strictness),
      inLoader_(startInLoader) {}

void ModuleModel::ReplaceModule(const FlashBytes& flash, bool startInLoader) {
  flash_ = FlashMemory(flash);
  lcd_ = LcdModel();
  inLoader_ = startInLoader;
  state_ = State::kIdle;
  ++flashVersion_;
  ++lcdVersion_;
}

void ModuleModel::ApplyFault(const Fault& fault, Reaction& reaction) {
  switch (fault.action) {
    case FaultAction::kReplace:
      reaction.answer.push_back(fault.value);
      break;
    case FaultAction::kVanish:
      reaction.vanish = true;
      break;
    case FaultAction::kSilent:
    case FaultAction::kShort:
      break;
  }
}

bool ModuleModel::Send(AnswerPoint point, uint8_t value, Reaction& reaction) {
  if (const auto fault = faults_.Next(point)) {
    ApplyFault(*fault, reaction);
    return false;
  }
  reaction.answer.push_back(value);
  return true;
}

Reaction ModuleModel::Feed(uint8_t hostByte, int hostBitRate) {
  Reaction reaction;
  const bool garbled = strictness_ == Strictness::kStrict && inLoader_ && hostBitRate > 0 &&
                       hostBitRate != kLoaderBitRate;
  if (garbled) return reaction;  // a framing error: the loader drops the byte
  if (const auto fault = faults_.Next(AnswerPoint::kHostByte)) {
    // The byte is lost on its way in.
    ApplyFault(*fault, reaction);
    return reaction;
  }
  // A faulted answer leaves the state as it was (the byte is discarded, as
  // after 0xFE) or drops the command; either way the host has given up.
  switch (state_) {
    case State::kIdle:
      if (inLoader_) {
        LoaderCommand(hostByte, reaction);
      } else {
        ApplicationCommand(hostByte, reaction);
      }
      break;
    case State::kLcdInstruction:
    case State::kLcdData:
      if (Send(AnswerPoint::kLcd, kAck, reaction)) {
        if (state_ == State::kLcdInstruction) {
          lcd_.Command(hostByte);
        } else {
          lcd_.Data(hostByte);
        }
        ++lcdVersion_;
        state_ = State::kIdle;
      }
      break;
    case State::kReadAddressLow:
      address_ = hostByte;
      state_ = Acknowledge(reaction) ? State::kReadAddressHigh : State::kIdle;
      break;
    case State::kReadAddressHigh:
      address_ = static_cast<uint16_t>(address_ | hostByte << 8);
      state_ = State::kIdle;
      if (Acknowledge(reaction)) SendRecord(reaction);
      break;
    case State::kEraseMask:
      state_ = State::kIdle;
      if (Acknowledge(reaction)) FinishErase(hostByte, reaction);
      break;
    case State::kWriteFrame:
      if (hostByte == 0x5B) {
        if (Send(AnswerPoint::kEcho, hostByte, reaction)) state_ = State::kRecordAddressLow;
      } else if (hostByte == 0x5C) {
        Send(AnswerPoint::kEcho, hostByte, reaction);
        state_ = State::kIdle;
      }
      // Anything else inside a write frame is ignored: no answer.
      break;
    case State::kRecordAddressLow:
      address_ = hostByte;
      state_ = Acknowledge(reaction) ? State::kRecordAddressHigh : State::kWriteFrame;
      break;
    case State::kRecordAddressHigh:
      address_ = static_cast<uint16_t>(address_ | hostByte << 8);
      recordFill_ = 0;
      state_ = Acknowledge(reaction) ? State::kRecordData : State::kWriteFrame;
      break;
    case State::kRecordData:
      record_[recordFill_++] = hostByte;
      if (!Acknowledge(reaction)) {
        state_ = State::kWriteFrame;
      } else if (recordFill_ == kRecordSize) {
        state_ = Send(AnswerPoint::kPrompt, kChecksumPrompt, reaction) ? State::kChecksumLow
                                                                       : State::kWriteFrame;
      }
      break;
    case State::kChecksumLow:
      checksum_ = hostByte;
      state_ = Acknowledge(reaction) ? State::kChecksumHigh : State::kWriteFrame;
      break;
    case State::kChecksumHigh:
      checksum_ = static_cast<uint16_t>(checksum_ | hostByte << 8);
      state_ = State::kWriteFrame;
      if (Acknowledge(reaction)) FinishRecord(reaction);
      break;
  }
  return reaction;
}

void ModuleModel::ApplicationCommand(uint8_t command, Reaction& reaction) {
  switch (command) {
    case 0xC4:
      Send(AnswerPoint::kConnect, kAck, reaction);
      break;
    case 0xC3:
      Send(AnswerPoint::kEnter, kAck, reaction);
      break;
    case 0x3C:
      if (Send(AnswerPoint::kEnter, kAck, reaction)) inLoader_ = true;
      break;
    case 0xD5:  // LCD start: nothing to prepare in this model
      Send(AnswerPoint::kLcd, kAck, reaction);
      break;
    case 0xD7:
      if (Send(AnswerPoint::kLcd, kAck, reaction)) state_ = State::kLcdInstruction;
      break;
    case 0xD9:
      if (Send(AnswerPoint::kLcd, kAck, reaction)) state_ = State::kLcdData;
      break;
    default:
      // Unknown commands are refused at once rather than left to time out.
      reaction.answer.push_back(kRejected);
      break;
  }
}

void ModuleModel::LoaderCommand(uint8_t command, Reaction& reaction) {
  switch (command) {
    case 0xC4:
      Send(AnswerPoint::kConnect, command, reaction);
      break;
    case 0x11:
      if (Send(AnswerPoint::kEcho, command, reaction)) state_ = State::kReadAddressLow;
      break;
    case 0xA5:
      if (Send(AnswerPoint::kEcho, command, reaction)) state_ = State::kEraseMask;
      break;
    case 0x5A:
      if (Send(AnswerPoint::kEcho, command, reaction)) state_ = State::kWriteFrame;
      break;
    case 0x5D:
      if (Send(AnswerPoint::kExit, command, reaction)) inLoader_ = false;
      break;
    default:
      break;  // the loader does not answer what it does not know
  }
}

bool ModuleModel::Acknowledge(Reaction& reaction) {
  return Send(AnswerPoint::kZero, kZeroAnswer, reaction);
}

void ModuleModel::SendRecord(Reaction& reaction) {
  std::size_t length = kRecordSize;
  if (const auto fault = faults_.Next(AnswerPoint::kRead)) {
    if (fault->action != FaultAction::kShort) {
      ApplyFault(*fault, reaction);
      return;
    }
    length = kRecordSize - 1;
  }
  for (std::size_t i = 0; i < length; ++i) {
    reaction.answer.push_back(flash_.At(static_cast<uint32_t>(address_ + i)));
  }
}

void ModuleModel::FinishErase(uint8_t mask, Reaction& reaction) {
  if (const auto fault = faults_.Next(AnswerPoint::kErase)) {
    ApplyFault(*fault, reaction);  // the flash stays as it was
    return;
  }
  const bool erased = flash_.EraseBlocks(mask);
  if (erased) ++flashVersion_;
  reaction.answer.push_back(erased ? kEraseDone : kEraseFailed);
}

void ModuleModel::FinishRecord(Reaction& reaction) {
  if (const auto fault = faults_.Next(AnswerPoint::kRecord)) {
    ApplyFault(*fault, reaction);  // the record is not written
    return;
  }
  const unsigned sum = std::accumulate(record_.begin(), record_.end(), 0u);
  if (static_cast<uint16_t>(sum) != checksum_) {
    reaction.answer.push_back(kRecordRefused);
  } else if (address_ % kRecordSize != 0 || !flash_.Program(address_, record_)) {
    reaction.answer.push_back(kRecordFailed);
  } else {
    ++flashVersion_;
    reaction.answer.push_back(kRecordWritten);
  }
}

}  // namespace vrx::sim
