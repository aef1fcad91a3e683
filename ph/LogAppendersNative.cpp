#include "ph/LogAppenders.h"

namespace ph {

// No debugger output outside Windows: the file appender alone.
void attachDebuggerAppender(log4cplus::Logger&) {}

} // namespace ph
