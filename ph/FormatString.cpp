#include "ph/FormatString.h"

#include <cstdarg>
#include <cstdio>

namespace ph {

std::string formatString(const char* format, ...) {
    static char buffer[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) {
        return std::string();
    }
    return std::string(buffer);
}

} // namespace ph
