#pragma once
// Small valid Ogg/Theora files that start the clip fuzzer off: every pixel
// format, offsets, odd sizes, other streams and empty packets.

#include <string>
#include <utility>
#include <vector>

namespace clipfuzz {

// (file name, bytes)
std::vector<std::pair<std::string, std::string>> seedFiles();

} // namespace clipfuzz
