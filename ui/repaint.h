// Shows a window's changes while a command is still running, without
// handling user input: clicks and keys that arrive meanwhile wait until the
// running command has returned.
#pragma once

class wxWindow;

namespace vrx::ui {

void RepaintWithoutInput(wxWindow& window);

// Lets the toolkit handle everything but user input that is pending now.
void ProcessPendingWithoutInput();

// Handles every event pending now, user input included.
void ProcessAllPending();

}  // namespace vrx::ui
