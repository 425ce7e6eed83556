#include "editor/core/sheet_rules.h"

#include "config/config_fields.h"

namespace vrx::editor {

bool DiffersFromSaved(const ConfigImage& present, const ConfigImage& saved) {
  return AsStored(present) != AsStored(saved);
}

bool MayDropChanges(bool modified, const std::function<PromptAnswer()>& ask,
                    const std::function<bool()>& save) {
  if (!modified) return true;
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

bool OffersSaveBeforeWrite(bool modified, const std::string& currentPath) {
  return modified || currentPath.empty();
}

}  // namespace vrx::editor
