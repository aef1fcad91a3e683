#include "ph/Log.h"

#include "ph/LogAppenders.h"

#include <log4cplus/fileappender.h>
#include <log4cplus/initializer.h>
#include <log4cplus/layout.h>
#include <log4cplus/logger.h>
#include <log4cplus/loglevel.h>

#include <memory>

namespace ph {

int32_t logThreshold = 0;
std::string logFileName = "Log.log";

namespace {

const char* const logPattern = "%d{%H:%M:%S.%q} %-5p: %m%n";

bool loggingSetUp = false;
log4cplus::LogLevel levels[5];
log4cplus::Logger rootLogger;

} // namespace

std::unique_ptr<log4cplus::Layout> makeLogLayout() {
    return std::unique_ptr<log4cplus::Layout>(new log4cplus::PatternLayout(logPattern));
}

void setUpLogging() {
    if (loggingSetUp) {
        return;
    }
    log4cplus::initialize();
    rootLogger = log4cplus::Logger::getRoot();
    // Our threshold decides what is written, not the logger's level.
    rootLogger.setLogLevel(log4cplus::TRACE_LOG_LEVEL);

    log4cplus::SharedAppenderPtr file(
        new log4cplus::FileAppender(logFileName, std::ios_base::trunc, true /* immediate flush */));
    file->setName("FileLogger");
    file->setLayout(makeLogLayout());
    rootLogger.addAppender(file);

    attachDebuggerAppender(rootLogger);

    levels[0] = log4cplus::ERROR_LOG_LEVEL;
    levels[1] = log4cplus::WARN_LOG_LEVEL;
    levels[2] = log4cplus::INFO_LOG_LEVEL;
    levels[3] = log4cplus::DEBUG_LOG_LEVEL;
    levels[4] = log4cplus::TRACE_LOG_LEVEL;

    rootLogger.log(log4cplus::INFO_LOG_LEVEL, "[Log started]");
    loggingSetUp = true;
}

bool isLoggingSetUp() { return loggingSetUp; }

LogMessage::LogMessage(int32_t severityIndex) : severity(severityIndex) {
    if (!loggingSetUp) {
        setUpLogging();
    }
}

LogMessage::~LogMessage() {
    if (!loggingSetUp || severity < 0 || severity > 4) {
        return;
    }
    rootLogger.log(levels[severity], stream.str(), nullptr, -1);
}

} // namespace ph
