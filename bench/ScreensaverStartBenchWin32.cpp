// screensaver_start_bench SCREENSAVER MINIMAL_WINDOW MINIMAL_DIRECT3D [RUNS]
// Time from process start to the first picture on screen, for the screensaver
// (its first movie frame: the screen's centre turns neither black nor white)
// beside two floors: a minimal Win32 program (its white window appears) and a
// minimal Direct3D 8 program (its one textured quad appears). Each is started
// RUNS times in turn; prints every run and the medians. All are watched the
// same way, by reading the screen's centre pixel, so Wine's own start-up cost
// is common to them. Run by bench/screensaver-bench, which chooses a bright
// movie first.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

COLORREF centrePixel() {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel =
        GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    ReleaseDC(nullptr, screen);
    return pixel & 0xFFFFFF;
}

void sendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Milliseconds from CreateProcess to `shown` holding for the centre pixel;
// negative when it did not within 30 s. The program is then ended by a key.
template <class Shown>
double timeToPicture(const std::string& program, const char* arguments, Shown shown) {
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const double start = nowMs();
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1.0;
    }
    double elapsed = -1.0;
    while (nowMs() - start < 30000.0) {
        if (shown(centrePixel())) {
            elapsed = nowMs() - start;
            break;
        }
        Sleep(1);
    }
    for (int attempt = 0; attempt < 20; ++attempt) {
        sendKey(VK_SPACE);
        if (WaitForSingleObject(process.hProcess, 250) == WAIT_OBJECT_0) {
            break;
        }
    }
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The next program must start on a black screen.
    Sleep(500);
    return elapsed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: screensaver_start_bench SCREENSAVER MINIMAL_WINDOW "
                             "MINIMAL_DIRECT3D [RUNS]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::atoi(argv[4]) : 5;
    const auto white = [](COLORREF c) { return c == 0xFFFFFF; };
    const auto picture = [](COLORREF c) { return c != 0 && c != 0xFFFFFF; };
    std::vector<double> saver, window, direct3d;
    for (int run = 0; run < runs; ++run) {
        const double w = timeToPicture(argv[2], "", white);
        const double d = timeToPicture(argv[3], "", picture);
        const double s = timeToPicture(argv[1], "/s", picture);
        std::printf("run %d: minimal window %.1f ms, minimal Direct3D %.1f ms, "
                    "screensaver first frame %.1f ms\n",
                    run + 1, w, d, s);
        if (w < 0 || d < 0 || s < 0) {
            std::fprintf(stderr, "a program showed nothing within 30 s\n");
            return 1;
        }
        window.push_back(w);
        direct3d.push_back(d);
        saver.push_back(s);
    }
    const double ms = median(saver), mw = median(window), md = median(direct3d);
    std::printf("median: minimal window %.1f ms, minimal Direct3D %.1f ms, "
                "screensaver first frame %.1f ms\n",
                mw, md, ms);
    std::printf("screensaver minus minimal window %.1f ms, minus minimal Direct3D %.1f ms\n",
                ms - mw, ms - md);
    return 0;
}
