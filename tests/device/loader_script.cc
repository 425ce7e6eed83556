#include "tests/device/loader_script.h"

#include <algorithm>

#include "tests/support/expected_conversation.h"

namespace vrx::test {
namespace {

using test::ConversationBuilder;

// Each host byte of the conversation draws the module bytes that follow it.
void Script(FakeDevice& device, const sim::Transcript& conversation) {
  for (std::size_t i = 0; i < conversation.size();) {
    const uint8_t host = conversation[i++].value;
    std::vector<uint8_t> answer;
    while (i < conversation.size() && conversation[i].direction == sim::Direction::kModuleToHost) {
      answer.push_back(conversation[i++].value);
    }
    device.On(host, std::move(answer));
  }
}

void Script(FakeDevice& device, const ConversationBuilder& conversation) {
  Script(device, conversation.Get());
}

// The rate only labels a conversation's host bytes; the fake has no wire.
ConversationBuilder Conversation() { return ConversationBuilder(38400); }

}  // namespace

void ScriptConnect(FakeDevice& device, uint8_t answer) {
  Script(device, Conversation().Exchange(0xC4, answer));
}

void ScriptEnter(FakeDevice& device) {
  Script(device, Conversation().Exchange(0xC3, 0xFA).Exchange(0x3C, 0xFA));
}

void ScriptReadBlock(FakeDevice& device, uint16_t address, Record data) {
  sim::FlashBytes flash{};
  std::copy(data.begin(), data.end(), flash.begin() + address);
  Script(device, Conversation().ReadRecord(address, flash));
}

void ScriptErase(FakeDevice& device, uint8_t mask, uint8_t status) {
  Script(device, Conversation().Exchange(0xA5, 0xA5).Exchange(mask, 0x00).ModuleSends(status));
}

void ScriptRecordAttempt(FakeDevice& device, uint16_t address, Record data, uint8_t status) {
  Script(device, Conversation().RecordAttempt(address, data.data(), status));
}

void ScriptWrite(FakeDevice& device, uint16_t address, const uint8_t* data, std::size_t length) {
  Script(device, Conversation().WriteChunk(address, data, length));
}

void ScriptExit(FakeDevice& device) { Script(device, Conversation().Exchange(0x5D, 0x5D)); }

void ScriptProgram(FakeDevice& device, const FlashImage& image,
                   std::span<const uint8_t> moduleBlock0, bool fromApplication, uint8_t exitEcho) {
  test::WriteScenario scenario;
  scenario.startInLoader = !fromApplication;
  scenario.moduleFlash.fill(0xFF);
  std::copy(moduleBlock0.begin(), moduleBlock0.end(), scenario.moduleFlash.begin());
  std::copy(image.begin(), image.end(), scenario.image.begin());
  sim::Transcript conversation = test::ExpectedWrite(scenario);
  conversation.back().value = exitEcho;  // the module's echo of the final 0x5D
  Script(device, conversation);
}

}  // namespace vrx::test
