#pragma once
// The Windows version as the program is told it (compatibility shims
// included), for the start-up log and the keyboard hook's rules.

#include <windows.h>

OSVERSIONINFOA systemVersion();
