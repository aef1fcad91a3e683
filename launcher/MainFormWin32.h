#pragma once
// Creates the launcher's main window (class "TForm1"). Used by WinMain and by the
// tests, which create the window without starting anything.

#include <windows.h>

namespace launcher {

// Runs once while the window is being created, with the window's handle.
using CreationHandler = void (*)(HWND form);

extern const char* const mainFormClass;

// The window, still hidden, or null when it cannot be created. The window owns
// its font and deletes it when it is destroyed.
HWND createMainForm(HINSTANCE instance, CreationHandler onCreate);

} // namespace launcher
