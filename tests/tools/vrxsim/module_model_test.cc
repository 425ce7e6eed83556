// The simulated module's answers, without a pty: what each command puts on
// the wire and what it does to the flash and the LCD.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "tools/vrxsim/module_model.h"

namespace vrx::sim {
namespace {

using Bytes = std::vector<uint8_t>;

FlashBytes Erased() {
  FlashBytes bytes;
  bytes.fill(0xFF);
  return bytes;
}

// Feeds the bytes one by one and collects every answer.
Bytes Exchange(ModuleModel& module, const Bytes& host) {
  Bytes answers;
  for (uint8_t value : host) {
    const Reaction reaction = module.Feed(value);
    answers.insert(answers.end(), reaction.answer.begin(), reaction.answer.end());
  }
  return answers;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Host bytes of one record attempt: 0x5B, address, data, checksum.
Bytes RecordAttempt(uint16_t address, const Bytes& data, uint16_t checksum) {
  Bytes bytes{0x5B, static_cast<uint8_t>(address), static_cast<uint8_t>(address >> 8)};
  bytes.insert(bytes.end(), data.begin(), data.end());
  bytes.push_back(static_cast<uint8_t>(checksum));
  bytes.push_back(static_cast<uint8_t>(checksum >> 8));
  return bytes;
}

uint16_t Sum(const Bytes& data) {
  return static_cast<uint16_t>(std::accumulate(data.begin(), data.end(), 0u));
}

// What the module sends for a record attempt before its status byte.
Bytes RecordAnswersBeforeStatus() {
  Bytes answers{0x5B, 0x00, 0x00};
  answers.insert(answers.end(), 128, 0x00);
  answers.push_back(0x0B);
  answers.insert(answers.end(), {0x00, 0x00});
  return answers;
}

Bytes Pattern(uint8_t seed) {
  Bytes data(128);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(seed + i * 7);
  return data;
}

TEST(ModuleApplication, AnswersConnectModeChangeAndRefusesUnknownCommands) {
  ModuleModel module(Erased(), false, {});
  EXPECT_EQ(Exchange(module, {0xC4}), Bytes{0xFA});
  EXPECT_EQ(Exchange(module, {0x42}), Bytes{0xF1});
  EXPECT_EQ(Exchange(module, {0xC3}), Bytes{0xFA});
  EXPECT_FALSE(module.InLoader());
  EXPECT_EQ(Exchange(module, {0x3C}), Bytes{0xFA});
  EXPECT_TRUE(module.InLoader());
  EXPECT_EQ(Exchange(module, {0xC4}), Bytes{0xC4});
}

TEST(ModuleApplication, LcdTestSequenceReachesCgramAndDisplay) {
  ModuleModel module(Erased(), false, {});
  Bytes host{0xD5, 0xD7, 0x40};
  for (int i = 0; i < 64; ++i) host.insert(host.end(), {0xD9, static_cast<uint8_t>(i & 0x1F)});
  host.insert(host.end(), {0xD7, 0x80, 0xD7, 0x0E});
  for (uint8_t code = 0; code < 8; ++code) host.insert(host.end(), {0xD9, code});

  EXPECT_EQ(Exchange(module, host), Bytes(host.size(), 0xFA));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(module.Lcd().Cgram()[i], i & 0x1F) << i;
  for (int column = 0; column < 8; ++column) EXPECT_EQ(module.Lcd().DisplayAt(0, column), column);
  EXPECT_TRUE(module.Lcd().DisplayOn());
  EXPECT_TRUE(module.Lcd().CursorOn());
  EXPECT_FALSE(module.Lcd().BlinkOn());
}

TEST(ModuleLoader, ReadsRecordsAtAnyAddress) {
  FlashBytes flash = Erased();
  for (std::size_t i = 0; i < flash.size(); ++i) flash[i] = static_cast<uint8_t>(i ^ (i >> 8));
  ModuleModel module(flash, true, {});
  const Bytes answers = Exchange(module, {0x11, 0x80, 0x03});
  ASSERT_EQ(answers.size(), 3u + 128u);
  EXPECT_EQ(Bytes(answers.begin(), answers.begin() + 3), (Bytes{0x11, 0x00, 0x00}));
  EXPECT_EQ(Bytes(answers.begin() + 3, answers.end()),
            Bytes(flash.begin() + 0x380, flash.begin() + 0x400));
}

TEST(ModuleLoader, EraseSetsOnlyTheSelectedBlocks) {
  FlashBytes flash;
  flash.fill(0x00);
  ModuleModel module(flash, true, {});
  EXPECT_EQ(Exchange(module, {0xA5, 0x01}), (Bytes{0xA5, 0x00, 0x09}));
  EXPECT_EQ(module.Flash().At(0x03FF), 0xFF);
  EXPECT_EQ(module.Flash().At(0x0400), 0x00);
  EXPECT_EQ(Exchange(module, {0xA5, 0x10}), (Bytes{0xA5, 0x00, 0x09}));
  EXPECT_EQ(module.Flash().At(0x0FFF), 0x00);
  EXPECT_EQ(module.Flash().At(0x1000), 0xFF);
  EXPECT_EQ(module.Flash().At(0x7FFF), 0xFF);
  // No block selected, or a block the flash does not have.
  EXPECT_EQ(Exchange(module, {0xA5, 0x00}), (Bytes{0xA5, 0x00, 0x03}));
  EXPECT_EQ(Exchange(module, {0xA5, 0x20}), (Bytes{0xA5, 0x00, 0x03}));
}

TEST(ModuleLoader, WritesRecordsInsideOneFrame) {
  ModuleModel module(Erased(), true, {});
  const Bytes first = Pattern(1), second = Pattern(2);
  const Bytes host = Concat({{0x5A},
                             RecordAttempt(0x1000, first, Sum(first)),
                             RecordAttempt(0x1080, second, Sum(second)),
                             {0x5C}});
  const Bytes expected = Concat(
      {{0x5A}, RecordAnswersBeforeStatus(), {0x0A}, RecordAnswersBeforeStatus(), {0x0A}, {0x5C}});
  EXPECT_EQ(Exchange(module, host), expected);
  EXPECT_EQ(Bytes(module.Flash().Bytes().begin() + 0x1000, module.Flash().Bytes().begin() + 0x1080),
            first);
  EXPECT_EQ(module.Flash().At(0x10FF), second.back());
}

TEST(ModuleLoader, RefusesBadChecksumAndUnerasedOrMisalignedRecords) {
  ModuleModel module(Erased(), true, {});
  const Bytes data = Pattern(3);
  Exchange(module, {0x5A});
  EXPECT_EQ(Exchange(module, RecordAttempt(0x2000, data, Sum(data) + 1)).back(), 0x06);
  EXPECT_EQ(module.Flash().At(0x2000), 0xFF) << "a refused record is not written";
  EXPECT_EQ(Exchange(module, RecordAttempt(0x2000, data, Sum(data))).back(), 0x0A);
  // Bits can only be cleared: writing the same bytes again is fine, any
  // byte that needs a 1 back is a write failure.
  EXPECT_EQ(Exchange(module, RecordAttempt(0x2000, data, Sum(data))).back(), 0x0A);
  const Bytes ones(128, 0xFF);
  EXPECT_EQ(Exchange(module, RecordAttempt(0x2000, ones, Sum(ones))).back(), 0x04);
  EXPECT_EQ(Exchange(module, RecordAttempt(0x2040, data, Sum(data))).back(), 0x04);
  EXPECT_EQ(Exchange(module, RecordAttempt(0x8000, data, Sum(data))).back(), 0x04);
  EXPECT_EQ(Exchange(module, {0x5C}), Bytes{0x5C});
}

TEST(ModuleLoader, ExitReturnsToTheApplication) {
  ModuleModel module(Erased(), true, {});
  EXPECT_EQ(Exchange(module, {0x5D}), Bytes{0x5D});
  EXPECT_FALSE(module.InLoader());
  EXPECT_EQ(Exchange(module, {0xC4}), Bytes{0xFA});
}

// A real module never learns that the host closed its port: a record left
// half-sent takes the next session's bytes as its own.
TEST(ModuleLoader, OnlyAForgivingModuleForgetsAHalfSentCommandOnHostClose) {
  ModuleModel strict(Erased(), true, {});
  ModuleModel forgiving(Erased(), true, {}, Strictness::kForgiving);
  for (ModuleModel* module : {&strict, &forgiving}) {
    Exchange(*module, {0x5A, 0x5B, 0x00, 0x10, 0x55});  // a record cut short
    module->HostClosed();
  }
  EXPECT_EQ(Exchange(strict, {0xC4}), Bytes{0x00});  // taken as record data
  EXPECT_EQ(Exchange(forgiving, {0xC4}), Bytes{0xC4});

  // Closed after a whole record, or after the frame was closed, a strict
  // module is in step: 0x5C closes the frame, and the connect is echoed.
  ModuleModel betweenRecords(Erased(), true, {});
  const Bytes data(128, 0x12);
  Exchange(betweenRecords, {0x5A});
  EXPECT_EQ(Exchange(betweenRecords, RecordAttempt(0x1000, data, Sum(data))).back(), 0x0A);
  betweenRecords.HostClosed();
  EXPECT_EQ(Exchange(betweenRecords, {0x5C, 0xC4}), (Bytes{0x5C, 0xC4}));
  EXPECT_EQ(betweenRecords.Flash().At(0x1000), 0x12);
}

TEST(ModuleLoader, AStrictLoaderHearsOnly38400) {
  ModuleModel strict(Erased(), true, {});
  ModuleModel forgiving(Erased(), true, {}, Strictness::kForgiving);
  EXPECT_TRUE(strict.Feed(0xC4, 9600).answer.empty());
  EXPECT_EQ(strict.Feed(0xC4, 38400).answer, Bytes{0xC4});
  EXPECT_EQ(forgiving.Feed(0xC4, 9600).answer, Bytes{0xC4});
  // The application hears the rate it was set to; the model takes any.
  ModuleModel application(Erased(), false, {});
  EXPECT_EQ(application.Feed(0xC4, 9600).answer, Bytes{0xFA});
  EXPECT_EQ(application.Feed(0xC3, 9600).answer, Bytes{0xFA});
  EXPECT_EQ(application.Feed(0x3C, 9600).answer, Bytes{0xFA});
  EXPECT_TRUE(application.Feed(0xC4, 9600).answer.empty());  // now the loader
}

TEST(ModuleFaults, ReplaceOrSilenceTheChosenOccurrenceOnly) {
  FaultPlan faults({Fault{AnswerPoint::kLcd, FaultAction::kReplace, 0xFE, 1, 2},
                    Fault{AnswerPoint::kConnect, FaultAction::kSilent, 0, 0, 1}});
  ModuleModel module(Erased(), false, faults);
  EXPECT_EQ(Exchange(module, {0xC4}), Bytes{});
  EXPECT_EQ(Exchange(module, {0xC4}), Bytes{0xFA});
  // LCD answers 0, 1, 2, 3: the second and third are 0xFE, and a byte
  // answered 0xFE is dropped, so the host's resend is taken as new.
  EXPECT_EQ(Exchange(module, {0xD7, 0x40, 0x40, 0x40}), (Bytes{0xFA, 0xFE, 0xFE, 0xFA}));
  EXPECT_TRUE(module.Lcd().AddressingCgram());
}

TEST(ModuleFaults, RecordRefusedKTimesThenWritten) {
  FaultPlan faults({Fault{AnswerPoint::kRecord, FaultAction::kReplace, 0x06, 0, 4}});
  ModuleModel module(Erased(), true, faults);
  const Bytes data = Pattern(4);
  Exchange(module, {0x5A});
  for (int attempt = 0; attempt < 4; ++attempt) {
    EXPECT_EQ(Exchange(module, RecordAttempt(0x1000, data, Sum(data))).back(), 0x06);
    EXPECT_EQ(module.Flash().At(0x1000), 0xFF);
  }
  EXPECT_EQ(Exchange(module, RecordAttempt(0x1000, data, Sum(data))).back(), 0x0A);
  EXPECT_EQ(module.Flash().At(0x1000), data[0]);
}

TEST(ModuleFaults, StatusFaultsLeaveTheFlashAlone) {
  FlashBytes flash;
  flash.fill(0x00);
  FaultPlan faults({Fault{AnswerPoint::kErase, FaultAction::kReplace, 0x03, 0, 1},
                    Fault{AnswerPoint::kRead, FaultAction::kShort, 0, 0, 1},
                    Fault{AnswerPoint::kExit, FaultAction::kReplace, 0x00, 0, 1}});
  ModuleModel module(flash, true, faults);
  EXPECT_EQ(Exchange(module, {0xA5, 0x10}), (Bytes{0xA5, 0x00, 0x03}));
  EXPECT_EQ(module.Flash().At(0x1000), 0x00);
  EXPECT_EQ(Exchange(module, {0x11, 0x00, 0x00}).size(), 3u + 127u);
  EXPECT_EQ(Exchange(module, {0x11, 0x00, 0x00}).size(), 3u + 128u);
  EXPECT_EQ(Exchange(module, {0x5D}), Bytes{0x00});
  EXPECT_TRUE(module.InLoader());
}

TEST(ModuleFaults, VanishAtTheChosenHostByte) {
  FaultPlan faults({Fault{AnswerPoint::kHostByte, FaultAction::kVanish, 0, 2, 1}});
  ModuleModel module(Erased(), false, faults);
  EXPECT_FALSE(module.Feed(0xC4).vanish);
  EXPECT_FALSE(module.Feed(0xC4).vanish);
  EXPECT_TRUE(module.Feed(0xC4).vanish);
}

TEST(FaultParsing, AcceptsPointsActionsOccurrencesAndCounts) {
  std::string error;
  auto fault = ParseFault("record=0x06x5", error);
  ASSERT_TRUE(fault) << error;
  EXPECT_EQ(fault->point, AnswerPoint::kRecord);
  EXPECT_EQ(fault->action, FaultAction::kReplace);
  EXPECT_EQ(fault->value, 0x06);
  EXPECT_EQ(fault->first, 0);
  EXPECT_EQ(fault->count, 5);

  fault = ParseFault("lcd=0xFE@3x2", error);
  ASSERT_TRUE(fault) << error;
  EXPECT_EQ(fault->first, 3);
  EXPECT_EQ(fault->count, 2);

  fault = ParseFault("erase=0x10x*", error);  // a value ending in 0 before the count
  ASSERT_TRUE(fault) << error;
  EXPECT_EQ(fault->value, 0x10);
  EXPECT_EQ(fault->count, Fault::kEvery);

  fault = ParseFault("host=vanish@300", error);
  ASSERT_TRUE(fault) << error;
  EXPECT_EQ(fault->action, FaultAction::kVanish);
  EXPECT_EQ(fault->first, 300);

  fault = ParseFault("read=short", error);
  ASSERT_TRUE(fault) << error;
  EXPECT_EQ(fault->action, FaultAction::kShort);
}

TEST(FaultParsing, RejectsWhatCannotBeMeant) {
  std::string error;
  for (const char* text : {"record", "nowhere=silent", "record=0x100", "record=short", "read=0x00",
                           "connect=silentx0", "connect=loud", "lcd=0xFE@x"}) {
    EXPECT_FALSE(ParseFault(text, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

}  // namespace
}  // namespace vrx::sim
