// Arbitrary bytes as a "[STRINGTABLE]" file: parse them (the buffer is not
// zero-terminated, so reading past its end shows) and look names up.
#include "fuzz/FuzzTarget.h"

#include "engine/StringTable.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (size_t(1) << 20)) {
        return 0;
    }
    StringTable table;
    parseStringTable(reinterpret_cast<const char*>(data), size, table);
    const char* names[] = {"A", "HELLO", "NO_SOUND_CARD", ""};
    volatile size_t sink = 0;
    for (const char* name : names) {
        const char* value = table.lookup(name);
        if (value != nullptr) {
            const size_t length = std::strlen(value);
            if (length > StringTable::maxValueLength) {
                __builtin_trap(); // values are cut, never longer
            }
            sink = sink + length;
        }
    }
    return 0;
}
