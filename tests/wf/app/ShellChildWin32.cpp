// The child program of the shell's runProcessAndWait test: after a pause,
// writes its command line into the file the command line names, so the
// test can tell that the shell waited for it to end.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    Sleep(700);
    FILE* file = std::fopen(argv[argc - 1], "wb");
    if (file == nullptr) {
        return 1;
    }
    std::fputs("done", file);
    std::fclose(file);
    return 0;
}
