#include "tests/support/Process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace testsupport {

std::string programFolder() {
    char path[4096] = {};
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string program = length > 0 ? std::string(path, size_t(length)) : std::string();
    return program.substr(0, program.find_last_of('/') + 1);
}

bool runProgram(const std::string& program, const std::vector<std::string>& arguments,
                int timeoutMs, int* exitCode) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (exitCode) {
        *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) != 127;
}

} // namespace testsupport
