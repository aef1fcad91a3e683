#include "wf/app/ShellPathsWin32.h"

#include <windows.h>

#include <shlobj.h>

namespace wf {

std::string programDirectoryWin32() {
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string program(path, length < sizeof(path) ? length : 0);
    const size_t slash = program.rfind('\\');
    return slash == std::string::npos ? std::string() : program.substr(0, slash);
}

std::string shellFolderWin32(int csidl) {
    char folder[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return std::string();
    }
    return folder;
}

std::string backslashed(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string fileNameOf(const std::string& windowsPath) {
    const size_t slash = windowsPath.rfind('\\');
    return slash == std::string::npos ? windowsPath : windowsPath.substr(slash + 1);
}

} // namespace wf
