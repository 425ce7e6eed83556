// When the sheet's commands must ask before they go on: the unsaved-changes
// prompt of 開く, 終了 and the close box, and the save offered before 書込み.
#pragma once

#include <functional>
#include <string>

#include "config/config_image.h"

namespace vrx::editor {

// Whether the editor holds unsaved changes: `present` (the data as a save
// would write it now) differs from `saved` (as last opened or saved) in
// what a data file keeps.  So a change that was undone, or typed back, is
// none, while selecting a key or clicking into a box never is one.
bool DiffersFromSaved(const ConfigImage& present, const ConfigImage& saved);

enum class PromptAnswer { kYes, kNo, kCancel };

// Whether a command that drops the sheet's data may go on: at once when
// nothing is unsaved; otherwise as the user answers `ask`: Yes saves first
// and goes on only if `save` did, No drops the changes, Cancel stops.
bool MayDropChanges(bool modified, const std::function<PromptAnswer()>& ask,
                    const std::function<bool()>& save);

// 書込み offers a save first when changes are unsaved or nothing was saved
// or opened yet (the writer needs a file).
bool OffersSaveBeforeWrite(bool modified, const std::string& currentPath);

}  // namespace vrx::editor
