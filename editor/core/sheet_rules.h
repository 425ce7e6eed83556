// When the sheet's commands must ask before they go on: the unsaved-changes
// prompt of 開く, 終了 and the close box, and the save offered before 書込み.
#pragma once

#include <functional>
#include <string>

#include "editor/core/edit_history.h"

namespace vrx::editor {

bool AnyModified(const ModifiedFlags& flags);

enum class PromptAnswer { kYes, kNo, kCancel };

// Whether a command that drops the sheet's data may go on: at once when
// nothing is unsaved; otherwise as the user answers `ask`: Yes saves first
// and goes on only if `save` did, No drops the changes, Cancel stops.
bool MayDropChanges(const ModifiedFlags& flags, const std::function<PromptAnswer()>& ask,
                    const std::function<bool()>& save);

// 書込み offers a save first when changes are unsaved or nothing was saved
// or opened yet (the writer needs a file).
bool OffersSaveBeforeWrite(const ModifiedFlags& flags, const std::string& currentPath);

}  // namespace vrx::editor
