#include "ph/ZipArchive.h"

#include "ph/MemoryReader.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace ph {

namespace {

// minizip's value for "ignore ASCII letter case", as Windows builds do by default.
const int caseInsensitive = 2;
// General-purpose flag bit of an encrypted entry.
const uLong encryptedFlag = 1;
// Deflate inflates at most 1032 to 1; stored entries not at all.
const uint64_t maxInflateRatio = 1032;
// An entry is read into a block this large first, grown as its data comes.
const uint32_t firstReadBytes = 64 * 1024;

// Memory callbacks: minizip passes the Data<char> as the "file name".
voidpf ZCALLBACK openMemory(voidpf, const char* filename, int) {
    return static_cast<IInputStream*>(
        new MemoryReader(reinterpret_cast<Data<char>*>(const_cast<char*>(filename))));
}

uLong ZCALLBACK readMemory(voidpf, voidpf stream, void* buffer, uLong size) {
    return static_cast<IInputStream*>(stream)->read(buffer, uint32_t(size));
}

long ZCALLBACK tellMemory(voidpf, voidpf stream) {
    return long(static_cast<IInputStream*>(stream)->tell());
}

long ZCALLBACK seekMemory(voidpf, voidpf stream, uLong offset, int origin) {
    IInputStream* in = static_cast<IInputStream*>(stream);
    bool ok = true;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        ok = in->seek(uint32_t(offset));
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        ok = in->seek(in->tell() + uint32_t(offset));
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        ok = in->seek(in->size());
        break;
    default:
        break;
    }
    return ok ? 0 : -1;
}

int ZCALLBACK closeMemory(voidpf, voidpf stream) {
    static_cast<IInputStream*>(stream)->release();
    return 0;
}

int ZCALLBACK noError(voidpf, voidpf) {
    return 0;
}

} // namespace

bool currentEntrySize(void* archive, uint32_t& size) {
    unz_file_info info;
    if (unzGetCurrentFileInfo(static_cast<unzFile>(archive), &info, nullptr, 0, nullptr, 0, nullptr,
                              0) != UNZ_OK) {
        return false;
    }
    // uLong is 32 bits wide on Windows and 64 elsewhere.
    const uint64_t claimed = info.uncompressed_size;
    const uint64_t compressed = info.compressed_size;
    // A damaged header could otherwise make its reader ask the heap for up to
    // 4 GB for a few bytes of data.
    if (claimed > UINT32_MAX || claimed > (compressed + 1) * maxInflateRatio) {
        return false;
    }
    size = uint32_t(claimed);
    return true;
}

char* readCurrentEntry(void* archive, const char* password, uint32_t& size) {
    unzFile zip = static_cast<unzFile>(archive);
    uint32_t claimed = 0;
    unz_file_info info;
    if (!currentEntrySize(archive, claimed) ||
        unzGetCurrentFileInfo(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return nullptr;
    }
    const bool encrypted = (info.flag & encryptedFlag) != 0;
    const char* key = encrypted && password != nullptr && password[0] != '\0' ? password : nullptr;
    if (unzOpenCurrentFilePassword(zip, key) != UNZ_OK) {
        return nullptr;
    }
    // The block grows with the bytes that really inflate, so that a header
    // lying about the size costs no more memory than the data behind it. A
    // wrong password that passes minizip's one-byte check, or damaged data,
    // shows as a failed or short read or, at the latest, as a CRC mismatch
    // when the entry is closed after its last byte.
    uint32_t capacity = std::min(claimed, firstReadBytes);
    char* block = static_cast<char*>(std::malloc(size_t(capacity) + 1));
    uint32_t got = 0;
    bool ok = block != nullptr;
    while (ok && got < claimed) {
        if (got == capacity) {
            capacity = uint32_t(std::min(uint64_t(claimed), uint64_t(capacity) * 2));
            char* grown = static_cast<char*>(std::realloc(block, size_t(capacity) + 1));
            if (grown == nullptr) {
                ok = false;
                break;
            }
            block = grown;
        }
        const int read = unzReadCurrentFile(zip, block + got, unsigned(capacity - got));
        ok = read > 0;
        got += ok ? uint32_t(read) : 0;
    }
    const bool closed = unzCloseCurrentFile(zip) == UNZ_OK;
    if (!ok || !closed) {
        std::free(block);
        return nullptr;
    }
    size = claimed;
    return block;
}

Data<char>* readArchiveEntry(void* archive, const std::string& password, const std::string& name) {
    std::string entry = name;
    for (char& c : entry) {
        if (c == '\\') {
            c = '/';
        }
    }
    unzFile zip = static_cast<unzFile>(archive);
    if (unzLocateFile(zip, entry.c_str(), caseInsensitive) != UNZ_OK) {
        return nullptr;
    }
    uint32_t size = 0;
    char* block = readCurrentEntry(zip, password.c_str(), size);
    if (block == nullptr || size == 0) {
        std::free(block);
        return nullptr;
    }
    // The buffer takes over the block.
    Data<char>* data = new Data<char>(0);
    data->elements = block;
    data->count = size;
    return data;
}

void* openArchiveInMemory(Data<char>* bytes) {
    zlib_filefunc_def functions;
    functions.zopen_file = openMemory;
    functions.zread_file = readMemory;
    functions.zwrite_file = nullptr;
    functions.ztell_file = tellMemory;
    functions.zseek_file = seekMemory;
    functions.zclose_file = closeMemory;
    functions.zerror_file = noError;
    functions.opaque = nullptr;
    return unzOpen2(reinterpret_cast<const char*>(bytes), &functions);
}

} // namespace ph
