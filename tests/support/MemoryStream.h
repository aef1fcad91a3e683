#pragma once
// An input stream over a string's bytes, for tests that feed readers and
// decoders without files.

#include "ph/IInputStream.h"
#include "ph/Pointer.h"

#include <string>

namespace testsupport {

// The stream holds its own copy of the bytes.
ph::Pointer<ph::IInputStream> memoryStream(const std::string& bytes);

} // namespace testsupport
