#include "tests/launcher/LauncherFilesWin32.h"

#include "tests/support/ProcessWin32.h"

#include <algorithm>

namespace launchertest {

const char* const gameName = "Brindlemoor_Quillhaven_Ozmir.exe";

std::string testFolder() {
    return windowsPath(testsupport::programFolder()) + "\\";
}

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

std::string canonicalFolder(const std::string& folder) {
    std::string path = windowsPath(folder);
    char full[MAX_PATH] = {};
    if (GetLongPathNameA(path.c_str(), full, MAX_PATH) > 0) {
        path = windowsPath(full);
    }
    CharLowerA(path.data());
    return path;
}

bool copyProgram(const std::string& name, const std::string& toFolder) {
    return CopyFileA((testFolder() + name).c_str(), (windowsPath(toFolder) + "\\" + name).c_str(),
                     FALSE) != 0;
}

HANDLE startProcess(const std::string& program, const std::string& folder, DWORD* processId) {
    return testsupport::startProcess(program, "\"" + program + "\"", windowsPath(folder),
                                     processId);
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<std::string> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) {
        char className[128] = {};
        char title[256] = {};
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, title, sizeof title);
        search->found.push_back(std::string(className) + ": " + title);
    }
    return TRUE;
}

} // namespace

std::vector<std::string> topLevelWindowsOf(DWORD processId) {
    WindowSearch search = {processId, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace launchertest
