#include "editor/core/sheet_rules.h"

#include <algorithm>

namespace vrx::editor {

bool AnyModified(const ModifiedFlags& flags) {
  return std::ranges::any_of(flags, [](bool modified) { return modified; });
}

bool MayDropChanges(const ModifiedFlags& flags, const std::function<PromptAnswer()>& ask,
                    const std::function<bool()>& save) {
  if (!AnyModified(flags)) return true;
  switch (ask()) {
    case PromptAnswer::kYes:
      // A save that did not happen must not let the edits be thrown away.
      return save();
    case PromptAnswer::kNo:
      return true;
    case PromptAnswer::kCancel:
      break;
  }
  return false;
}

bool OffersSaveBeforeWrite(const ModifiedFlags& flags, const std::string& currentPath) {
  return AnyModified(flags) || currentPath.empty();
}

}  // namespace vrx::editor
