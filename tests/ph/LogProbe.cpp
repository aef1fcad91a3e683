// A fresh process for log tests, since logging is set up once per process.
// Usage: ph_log_probe LOGFILE quiet|missing|threshold
//   quiet:     writes no line (the threshold keeps the info line out)
//   missing:   opens a missing file, which logs "file not found missing.txt"
//   threshold: raises the threshold to 2 and writes an info and a warning line
#include "ph/FileSystem.h"
#include "ph/Log.h"

#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    ph::logFileName = argv[1];
    const char* action = argv[2];
    if (std::strcmp(action, "quiet") == 0) {
        PH_LOG(2) << "System starting";
    } else if (std::strcmp(action, "missing") == 0) {
        ph::FileSystem::instance().openForReading("missing.txt", false);
    } else if (std::strcmp(action, "threshold") == 0) {
        ph::logThreshold = 2;
        PH_LOG(2) << "System starting " << true << " " << int32_t(-42);
        PH_LOG(1) << "Can't open movie file: " << std::string("a.ogv");
        PH_LOG(3) << "never: above the threshold";
    } else {
        return 2;
    }
    return 0;
}
