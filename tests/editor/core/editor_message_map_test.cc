#include "editor/core/editor_message_map.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/core/import_error_text.h"
#include "resources/message_table.h"
#include "resources/tool_messages.h"

namespace vrx {
namespace {

TEST(EditorMessageMap, DataFileErrorsOpenTheEditorsFileMessages) {
  const struct {
    DataFileError error;
    int message;
  } cases[] = {
      {DataFileError::kNone, 0},
      {DataFileError::kNoFileSelected, 10004},
      {DataFileError::kOpenFailed, 10004},
      {DataFileError::kReadFailed, 10005},
      {DataFileError::kWrongFormat, 10006},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EditorMessageFor(c.error), c.message) << static_cast<int>(c.error);
    if (c.message != 0) {
      EXPECT_FALSE(EditorMessage(c.message).empty()) << c.message;
    }
  }
  EXPECT_EQ(EditorMessage(EditorMessageFor(DataFileError::kWrongFormat)),
            "ファイルの形式が違います。");
}

TEST(EditorMessageMap, LcdTestResultsGiveTheCgramPagesMessages) {
  const struct {
    LcdTestResult result;
    int message;
  } cases[] = {
      {LcdTestResult::kOk, 0},
      {LcdTestResult::kNoPortSelected, 10000},
      {LcdTestResult::kPortOpenFailed, 10001},
      {LcdTestResult::kDeviceError, 10002},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EditorMessageFor(c.result), c.message) << static_cast<int>(c.result);
}

TEST(ImportErrorTextTest, EveryProblemHasItsOwnText) {
  const struct {
    ImportProblem problem;
    int text;
  } cases[] = {
      {ImportProblem::kSyntax, tool_msg::kSyntax},
      {ImportProblem::kWrongFormat, tool_msg::kWrongFormat},
      {ImportProblem::kNewerVersion, tool_msg::kNewerVersion},
      {ImportProblem::kUnknownMember, tool_msg::kUnknownMember},
      {ImportProblem::kBadValue, tool_msg::kBadValue},
      {ImportProblem::kBadCode, tool_msg::kBadCode},
      {ImportProblem::kBadKeyNumber, tool_msg::kBadKeyNumber},
      {ImportProblem::kDuplicateKey, tool_msg::kDuplicateKey},
      {ImportProblem::kWrongPlace, tool_msg::kWrongPlace},
  };
  std::set<std::string> texts;
  for (const auto& c : cases) {
    const std::string text = ImportErrorText("in.json", {c.problem, 0, 0, {}});
    EXPECT_EQ(text, "in.json: " + std::string(tool_msg::ImportProblemText(c.text)));
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), std::size(cases));
  EXPECT_EQ(ImportErrorText("in.json", {ImportProblem::kWrongFormat, 0, 0, {}}),
            "in.json: " + std::string(EditorMessage(editor_msg::kFileWrongFormat)));
}

}  // namespace
}  // namespace vrx
