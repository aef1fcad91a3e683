#include "ph/LineReader.h"

#include "ph/IInputStream.h"

#include <cstring>

namespace ph {

namespace {
const uint32_t chunkSize = 32;
}

bool readLine(IInputStream& stream, std::string& out) {
    out.clear();
    char chunk[chunkSize + 1];
    for (;;) {
        // Never ask past the end: a memory stream delivers all or nothing.
        uint32_t position = stream.tell();
        uint32_t left = stream.size() > position ? stream.size() - position : 0;
        uint32_t wanted = left < chunkSize ? left : chunkSize;
        uint32_t got = wanted ? stream.read(chunk, wanted) : 0;
        if (got == 0) {
            return !out.empty();
        }
        chunk[got] = 0;

        bool lineDone = false;
        for (uint32_t i = 0; i < got && !lineDone; ++i) {
            uint32_t next; // chunk offset where the next line starts
            uint32_t delivered = got;
            if (chunk[i] == '\n') {
                next = i + 1;
            } else if (chunk[i] != '\r') {
                continue;
            } else if (i + 1 < got) {
                next = chunk[i + 1] == '\n' ? i + 2 : i + 1;
            } else {
                char extra;
                if (stream.read(&extra, 1) == 1) {
                    delivered += 1;
                    next = extra == '\n' ? got + 1 : got;
                } else {
                    next = got;
                }
            }
            chunk[i] = 0;
            if (next != delivered) {
                stream.seek(stream.tell() + next - delivered);
            }
            lineDone = true;
        }
        out.append(chunk, std::strlen(chunk));
        if (lineDone || got < chunkSize) {
            return true;
        }
    }
}

} // namespace ph
