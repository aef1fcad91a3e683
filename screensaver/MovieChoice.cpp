#include "screensaver/MovieChoice.h"

#include "ph/LineReader.h"

namespace screensaver {

const char* const gameDataFolder = "Torvane\\Brindlemoor_Quillhaven_Ozmir";

namespace {

const std::string separator = " = ";
const std::string movieKey = "current_scr";

} // namespace

std::string findCurrentMovie(ph::IInputStream& config) {
    std::string line;
    while (ph::readLine(config, line)) {
        size_t keyEnd = line.find(separator);
        if (keyEnd == std::string::npos || line.compare(0, keyEnd, movieKey) != 0 ||
            keyEnd != movieKey.size()) {
            continue;
        }
        size_t valueStart = keyEnd + separator.size();
        size_t valueEnd = line.find(separator, valueStart);
        return line.substr(valueStart, valueEnd == std::string::npos ? std::string::npos
                                                                     : valueEnd - valueStart);
    }
    return std::string();
}

} // namespace screensaver
