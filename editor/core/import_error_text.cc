#include "editor/core/import_error_text.h"

#include "resources/tool_messages.h"

namespace vrx {
namespace {

int ImportProblemNumber(ImportProblem problem) {
  switch (problem) {
    case ImportProblem::kSyntax:
      return tool_msg::kSyntax;
    case ImportProblem::kWrongFormat:
      return tool_msg::kWrongFormat;
    case ImportProblem::kNewerVersion:
      return tool_msg::kNewerVersion;
    case ImportProblem::kUnknownMember:
      return tool_msg::kUnknownMember;
    case ImportProblem::kBadValue:
      return tool_msg::kBadValue;
    case ImportProblem::kBadCode:
      return tool_msg::kBadCode;
    case ImportProblem::kBadKeyNumber:
      return tool_msg::kBadKeyNumber;
    case ImportProblem::kDuplicateKey:
      return tool_msg::kDuplicateKey;
    case ImportProblem::kWrongPlace:
      return tool_msg::kWrongPlace;
  }
  return -1;
}

}  // namespace

std::string ImportErrorText(std::string_view inputName, const ImportError& error) {
  std::string text(inputName);
  if (error.line > 0) text += ":" + std::to_string(error.line);
  text += ": ";
  if (error.keyNumber > 0) text += "KEY" + std::to_string(error.keyNumber) + " ";
  if (!error.member.empty()) text += error.member + ": ";
  return text += tool_msg::ImportProblemText(ImportProblemNumber(error.problem));
}

}  // namespace vrx
