#include "tests/support/expected_conversation.h"

#include <algorithm>
#include <numeric>

namespace vrx::test {

using sim::Direction;

ConversationBuilder& ConversationBuilder::Unanswered(uint8_t host) {
  transcript_.push_back({Direction::kHostToModule, host, bitRate_});
  return *this;
}

ConversationBuilder& ConversationBuilder::ModuleSends(uint8_t value) {
  transcript_.push_back({Direction::kModuleToHost, value, 0});
  return *this;
}

ConversationBuilder& ConversationBuilder::Exchange(uint8_t host, uint8_t answer) {
  return Unanswered(host).ModuleSends(answer);
}

ConversationBuilder& ConversationBuilder::ReadRecord(uint16_t address,
                                                     const sim::FlashBytes& flash) {
  Exchange(0x11, 0x11).Exchange(static_cast<uint8_t>(address), 0x00);
  Exchange(static_cast<uint8_t>(address >> 8), 0x00);
  for (std::size_t i = 0; i < 128; ++i) ModuleSends(flash[address + i]);
  return *this;
}

ConversationBuilder& ConversationBuilder::Erase(uint8_t mask) {
  return Exchange(0xA5, 0xA5).Exchange(mask, 0x00).ModuleSends(0x09);
}

ConversationBuilder& ConversationBuilder::RecordAttempt(uint16_t address, const uint8_t* data,
                                                        uint8_t status) {
  Exchange(0x5B, 0x5B).Exchange(static_cast<uint8_t>(address), 0x00);
  Exchange(static_cast<uint8_t>(address >> 8), 0x00);
  for (std::size_t i = 0; i < 128; ++i) Exchange(data[i], 0x00);
  const auto checksum = static_cast<uint16_t>(std::accumulate(data, data + 128, 0u));
  ModuleSends(0x0B);
  Exchange(static_cast<uint8_t>(checksum), 0x00);
  Exchange(static_cast<uint8_t>(checksum >> 8), 0x00);
  return ModuleSends(status);
}

ConversationBuilder& ConversationBuilder::WriteChunk(uint16_t address, const uint8_t* data,
                                                     std::size_t length) {
  Exchange(0x5A, 0x5A);
  for (std::size_t offset = 0; offset < length; offset += 128) {
    RecordAttempt(static_cast<uint16_t>(address + offset), data + offset, 0x0A);
  }
  return Exchange(0x5C, 0x5C);
}

sim::Transcript ExpectedWrite(const WriteScenario& scenario) {
  ConversationBuilder conversation(scenario.chosenRate);
  if (scenario.startInLoader) {
    conversation.Exchange(0xC4, 0xC4);
  } else {
    conversation.Exchange(0xC4, 0xFA).Exchange(0xC3, 0xFA).Exchange(0x3C, 0xFA);
    conversation.SetRate(38400);
  }
  for (uint16_t address = 0; address < 0x400; address += 128) {
    conversation.ReadRecord(address, scenario.moduleFlash);
  }
  if (!std::equal(scenario.image.begin(), scenario.image.begin() + 0x400,
                  scenario.moduleFlash.begin())) {
    conversation.Erase(0x01).WriteChunk(0x0000, scenario.image.data(), 0x400);
  }
  conversation.Erase(0x10);
  for (uint16_t address = 0x1000; address < 0x8000; address += 0x800) {
    conversation.WriteChunk(address, scenario.image.data() + address, 0x800);
  }
  conversation.Exchange(0x5D, 0x5D);
  return conversation.Get();
}

std::string ExpectedSuccessLog(bool block0Rewritten) {
  std::string log = "\r\n接続完了\r\n";
  if (block0Rewritten) {
    log += "\r\nブロック0を消去中．．．完了\r\n\r\nブロック0に書き込み中．．．完了\r\n";
  }
  log += "\r\nブロック4を消去中．．．完了\r\n\r\nブロック4に書き込み中";
  for (int chunk = 0; chunk < 14; ++chunk) log += "．";
  log += "完了\r\n\r\n書き込みは正常に終了しました。\r\n";
  return log;
}

std::string FailureTail(const std::string& message, const std::string& cause) {
  const std::string causeLine = cause.empty() ? "" : "\r\n" + cause;
  return "\r\n" + message + causeLine + "\r\n処理を中止します。\r\n";
}

std::string FirstDifference(const sim::Transcript& actual, const sim::Transcript& expected) {
  const std::size_t common = std::min(actual.size(), expected.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (actual[i] != expected[i]) {
      return "entry " + std::to_string(i) + ": got " + sim::FormatEntry(actual[i]) + ", expected " +
             sim::FormatEntry(expected[i]);
    }
  }
  if (actual.size() == expected.size()) return "identical";
  return "lengths differ: got " + std::to_string(actual.size()) + " entries, expected " +
         std::to_string(expected.size());
}

}  // namespace vrx::test
