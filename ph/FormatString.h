#pragma once
// printf-style formatting into a string, for log lines. Results are cut at
// 1023 characters; not re-entrant (one process-wide buffer).

#include <string>

namespace ph {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string formatString(const char* format, ...);

} // namespace ph
