#pragma once
// Platform part of the program log: the debugger-output appender exists on
// Windows only. Used by Log.cpp alone.

#include <memory>

namespace log4cplus {
class Layout;
class Logger;
} // namespace log4cplus

namespace ph {

std::unique_ptr<log4cplus::Layout> makeLogLayout();

// Windows: attaches "Win32DebugLogger". Elsewhere: nothing.
void attachDebuggerAppender(log4cplus::Logger& logger);

} // namespace ph
