#include "tests/support/MemoryStream.h"

#include "ph/Data.h"
#include "ph/MemoryReader.h"

#include <cstring>

namespace testsupport {

ph::Pointer<ph::IInputStream> memoryStream(const std::string& bytes) {
    ph::Pointer<ph::Data<char>> data = ph::adopt(new ph::Data<char>(uint32_t(bytes.size())));
    if (!bytes.empty()) {
        std::memcpy(data->elements, bytes.data(), bytes.size());
    }
    return ph::adopt<ph::IInputStream>(new ph::MemoryReader(data.get()));
}

} // namespace testsupport
