#include "tests/support/ProcessWin32.h"

namespace testsupport {

std::string programFolder() {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.find_last_of("\\/") + 1);
}

HANDLE startProcess(const std::string& program, const std::string& commandLine,
                    const std::string& folder, DWORD* processId) {
    std::string line = commandLine; // CreateProcessA may write into it
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    if (processId) {
        *processId = process.dwProcessId;
    }
    return process.hProcess;
}

bool waitOrEnd(HANDLE process, DWORD timeoutMs, DWORD* exitCode) {
    bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, timeoutMs);
    }
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process, &code);
    if (exitCode) {
        *exitCode = code;
    }
    return ended;
}

bool runProgram(const std::string& program, const std::vector<std::string>& arguments,
                int timeoutMs, int* exitCode) {
    std::string commandLine = "\"" + program + "\"";
    for (const std::string& argument : arguments) {
        commandLine += " \"" + argument + "\"";
    }
    HANDLE process = startProcess(program, commandLine, "", nullptr);
    if (!process) {
        return false;
    }
    DWORD code = 0;
    bool ended = waitOrEnd(process, DWORD(timeoutMs), &code);
    CloseHandle(process);
    if (exitCode) {
        *exitCode = int(code);
    }
    return ended;
}

} // namespace testsupport
