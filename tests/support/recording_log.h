// A write log that keeps what it was given: each text as appended, and all
// of them run together as a log window would show them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "writer/write_log.h"

namespace vrx::test {

class RecordingLog : public WriteLog {
 public:
  void AppendLog(std::string_view text) override {
    texts.emplace_back(text);
    text_ += text;
  }
  const std::string& Text() const { return text_; }

  std::vector<std::string> texts;

 private:
  std::string text_;
};

}  // namespace vrx::test
