#pragma once
// Collects the program log's messages (without layout) while in scope, with
// the threshold raised so that warnings and information lines are written
// too. The log's own file goes to a scratch path when logging starts here.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class LogCapture {
public:
    explicit LogCapture(int32_t threshold = 2);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Messages in the order they were logged.
    std::vector<std::string> messages() const;
    // The same, each with its log4cplus level (ERROR_LOG_LEVEL, ...).
    using Line = std::pair<int, std::string>;
    const std::vector<Line>& lines() const { return *captured; }

private:
    struct Sink;
    std::shared_ptr<std::vector<Line>> captured;
    int32_t savedThreshold;
    std::string appenderName;
};

} // namespace testsupport
