#include "ph/LogAppenders.h"

#include <log4cplus/layout.h>
#include <log4cplus/logger.h>
#include <log4cplus/win32debugappender.h>

namespace ph {

void attachDebuggerAppender(log4cplus::Logger& logger) {
    log4cplus::SharedAppenderPtr debugger(new log4cplus::Win32DebugAppender());
    debugger->setName("Win32DebugLogger");
    debugger->setLayout(makeLogLayout());
    logger.addAppender(debugger);
}

} // namespace ph
