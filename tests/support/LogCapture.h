#pragma once
// Captures the lines the program log writes while it lives, with their
// levels, for tests that check what reaches the log and at which level.
// Header-only: users link `ph`, which brings the log library.

#include "ph/Log.h"

#include <log4cplus/appender.h>
#include <log4cplus/logger.h>
#include <log4cplus/loglevel.h>
#include <log4cplus/spi/loggingevent.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class LogCapture {
public:
    using Line = std::pair<log4cplus::LogLevel, std::string>;

    // Sets the log up first (to `logFile`, unless a test before set it up)
    // so that the capture sits beside the program's own appenders.
    explicit LogCapture(const std::string& logFile) : appender(new Recorder()) {
        if (!ph::isLoggingSetUp()) {
            ph::logFileName = logFile;
            ph::setUpLogging();
        }
        appender->setName("TestCapture");
        log4cplus::Logger::getRoot().addAppender(appender);
    }
    ~LogCapture() { log4cplus::Logger::getRoot().removeAppender(appender); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<Line>& lines() const { return static_cast<Recorder*>(appender.get())->lines; }

private:
    class Recorder : public log4cplus::Appender {
    public:
        ~Recorder() override { destructorImpl(); }
        void close() override {}
        std::vector<Line> lines;

    protected:
        void append(const log4cplus::spi::InternalLoggingEvent& event) override {
            lines.emplace_back(event.getLogLevel(), event.getMessage());
        }
    };

    log4cplus::SharedAppenderPtr appender;
};

} // namespace testsupport
