#include "screensaver/CommandLine.h"

namespace screensaver {

bool shouldRunScreensaver(const std::string& commandLine) {
    return commandLine.find("/c") == std::string::npos &&
           commandLine.find("/p") == std::string::npos;
}

} // namespace screensaver
