// A stand-in for the game, started by the launcher in the tests. It writes what
// it saw into "game-run.txt" beside itself, then, when the test asks it to (an
// event named in BRINDLEMOOR_TEST_HOLD), stays running until that event is set.

#include <windows.h>

#include <string>

namespace {

std::string folderOf(const std::string& path) {
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string currentDirectory() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// The show command the starter asked for, or -1 when it gave none.
int requestedShowCommand() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
}

void writeRecord(const std::string& folder, const std::string& text) {
    // Written under another name and renamed, so the test never reads half a file.
    std::string partial = folder + "game-run.tmp";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExA(partial.c_str(), (folder + "game-run.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);

    HANDLE hold = nullptr;
    char holdName[256] = {};
    if (GetEnvironmentVariableA("BRINDLEMOOR_TEST_HOLD", holdName, sizeof holdName) > 0) {
        hold = OpenEventA(SYNCHRONIZE, FALSE, holdName);
    }

    std::string record = "pid=" + std::to_string(GetCurrentProcessId()) + "\n";
    record += "module=" + std::string(module) + "\n";
    record += "commandLine=" + std::string(GetCommandLineA()) + "\n";
    record += "workingDirectory=" + currentDirectory() + "\n";
    record += "showCommand=" + std::to_string(requestedShowCommand()) + "\n";
    record += std::string("held=") + (hold ? "1" : "0") + "\n";
    writeRecord(folderOf(module), record);

    if (hold) {
        WaitForSingleObject(hold, 60000); // bounded: a failed test must not leave it behind
        CloseHandle(hold);
    }
    return 0;
}
