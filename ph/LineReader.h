#pragma once
// Text line reader over an input stream: LF, CR and CR LF all end a line; a
// last line without an end is returned too.

#include <string>

namespace ph {

class IInputStream;

// False at the end of the stream with nothing read. Reads 32 bytes at a time
// and seeks back to the start of the next line, so the stream needs absolute
// `seek` and `tell`. A 0 byte cuts the rest of its 32-byte piece off.
bool readLine(IInputStream& stream, std::string& out);

} // namespace ph
