#pragma once
// The program log: one line is composed in a LogMessage and handed to the
// log4cplus root logger when the message goes out of scope. Severity indices:
// 0 error, 1 warning, 2 info, 3 debug, 4 trace. A line is composed only when
// `logThreshold` is at least its index; use PH_LOG so that nothing is
// formatted or allocated for a line that is not written.

#include <cstdint>
#include <sstream>
#include <string>

namespace ph {

// Process-wide: only lines with an index up to the threshold are written.
extern int32_t logThreshold;
// File the log goes to; the name in force at the first written line is used
// for the whole run.
extern std::string logFileName;

// Attaches the file and debugger-output appenders to the root logger and
// writes "[Log started]". Runs once, at the first written line.
void setUpLogging();
bool isLoggingSetUp();

class LogMessage {
public:
    explicit LogMessage(int32_t severity);
    LogMessage(const LogMessage&) = delete;
    LogMessage& operator=(const LogMessage&) = delete;
    ~LogMessage();

    // Integers in decimal, booleans as 1 or 0.
    template <class T> LogMessage& operator<<(const T& part) {
        stream << part;
        return *this;
    }

private:
    std::ostringstream stream;
    int32_t severity;
};

} // namespace ph

#define PH_LOG(severity)                                                                           \
    if (::ph::logThreshold < (severity)) {                                                         \
    } else                                                                                         \
        ::ph::LogMessage(severity)
