#pragma once
// Engine file names: resolving against the application directory with "\",
// the upper-case form packs compare, and bounded copies into the instance's
// fixed-size text fields.

#include <cstddef>

namespace enginepaths {

// Length of the instance's path fields, terminator included.
const size_t maxPath = 260;

// Starts with "\" or "/", or has a colon as second character.
bool isAbsolute(const char* name);

// `appDirectory` followed by a relative name (an absolute one alone), every
// "/" turned into "\"; null name: the directory. False, with `out` empty, when
// the result does not fit in `capacity` (terminator included).
bool resolve(const char* appDirectory, const char* name, char* out, size_t capacity);

// Upper case with "\" for "/"; false, with `out` empty, when it does not fit.
bool packName(const char* name, char* out, size_t capacity);

// Copies as much of `source` as fits, always terminated; false when cut.
bool copyBounded(char* out, size_t capacity, const char* source);

} // namespace enginepaths
