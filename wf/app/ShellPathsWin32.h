#pragma once
// Paths the Windows shell works with: the program's folder and the user's
// shell folders. Windows-only helpers of ApplicationWin32.

#include <string>

namespace wf {

// The folder that holds this program's file, without a trailing backslash.
std::string programDirectoryWin32();
// The shell folder `csidl` (CSIDL_...), or "" when the shell cannot supply it.
std::string shellFolderWin32(int csidl);
// Every "/" turned into "\".
std::string backslashed(std::string path);
// The part after the last "\" (all of it when there is none).
std::string fileNameOf(const std::string& windowsPath);

} // namespace wf
