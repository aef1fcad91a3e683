#pragma once
// Asks the shell to start the game; the launcher's main window does it while it
// is being created.

#include <windows.h>

namespace launcher {

extern const char* const gameExecutable;

// Opens the game, resolved against the current directory, with its windows owned
// by `owner`. Never waits for the game and reports nothing: the launcher exits
// silently whether or not the game could be started.
void launchGame(HWND owner);

} // namespace launcher
