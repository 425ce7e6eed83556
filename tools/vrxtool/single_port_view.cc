// One port, shown as vrxtool always has.
#include <optional>

#include "resources/readback_texts.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/feedback.h"
#include "tools/vrxtool/port_view.h"

namespace vrxtool {
namespace {

// The container's message boxes: stderr (and an event with --json).
class StderrBoxes final : public vrx::MessageBoxSink {
 public:
  explicit StderrBoxes(JsonEvents* json) : json_(json) {}
  void ShowMessage(std::string_view text) override {
    if (json_) PrintEvent("message", {{"text", text}});
    PrintError(text);
  }

 private:
  JsonEvents* json_;
};

class SingleModuleView final : public ModuleView {
 public:
  explicit SingleModuleView(bool json) : feedback_(json), boxes_(json_) {
    if (!json_) console_.emplace(*feedback_.status());
  }
  vrx::WriteLog& log() override { return json_ ? static_cast<vrx::WriteLog&>(*json_) : *console_; }
  vrx::DeviceProgress& progress() override { return feedback_.progress(); }
  vrx::MessageBoxSink& boxes() override { return boxes_; }
  void Finished(const ModuleOutcome& outcome) override {
    if (json_) json_->Result(outcome.passed);
  }
  int LastMessage() const override {
    return console_ ? console_->LastMessage() : json_->LastMessage();
  }

 private:
  Feedback feedback_;
  JsonEvents* json_ = feedback_.json();
  StderrBoxes boxes_;
  std::optional<ConsoleLog> console_;  // destroyed before the status line
};

class SinglePortView final : public PortView {
 public:
  explicit SinglePortView(bool json) : json_(json) {}
  std::unique_ptr<ModuleView> BeginModule() override {
    return std::make_unique<SingleModuleView>(json_);
  }
  void Note(std::string_view text) override { PrintError(text); }
  void Waiting() override { PrintError(vrx::readback_text::WaitingForModule()); }
  void Counted(int passed, int failed) override {
    PrintError(vrx::readback_text::RunningCount(passed, failed));
  }

 private:
  bool json_;
};

}  // namespace

std::unique_ptr<PortView> MakeSinglePortView(bool json) {
  return std::make_unique<SinglePortView>(json);
}

}  // namespace vrxtool
