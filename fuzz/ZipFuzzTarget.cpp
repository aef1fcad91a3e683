// Arbitrary bytes as a zip archive, read as the file system and the engine's
// packs read theirs: every entry by name and under the cursor, with a
// password, and an entry that is itself an archive opened from memory as a
// nested mount opens it (with the password reversed).
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include "ph/Data.h"
#include "ph/Pointer.h"
#include "ph/ZipArchive.h"

#include <minizip/unzip.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int maxEntries = 64;
const char* const password = "pw";
const char* const reversedPassword = "wp";

void readEntries(void* archive, const char* key, int depth);

void readCurrent(void* archive, const char* key, const std::string& name, int depth) {
    uint32_t size = 0;
    if (!ph::currentEntrySize(archive, size)) {
        return;
    }
    char* block = ph::readCurrentEntry(archive, key, size);
    const bool read = block != nullptr;
    const std::string buffer = read ? std::string(block, size) : std::string();
    std::free(block);
    // The same entry found again by name, as the file system finds it.
    ph::Pointer<ph::Data<char>> byName = ph::adopt(ph::readArchiveEntry(archive, key, name));
    if (read && depth == 0 && size >= 4 && std::memcmp(buffer.data(), "PK\3\4", 4) == 0) {
        ph::Pointer<ph::Data<char>> inner = ph::adopt(new ph::Data<char>(size));
        std::memcpy(inner->elements, buffer.data(), size);
        void* nested = ph::openArchiveInMemory(inner.get());
        if (nested != nullptr) {
            readEntries(nested, reversedPassword, depth + 1);
            unzClose(static_cast<unzFile>(nested));
        }
    }
}

void readEntries(void* archive, const char* key, int depth) {
    unzFile zip = static_cast<unzFile>(archive);
    int visited = 0;
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK && visited < maxEntries;
         status = unzGoToNextFile(zip), ++visited) {
        char name[300];
        unz_file_info info;
        if (unzGetCurrentFileInfo(zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
            continue;
        }
        unz_file_pos position;
        unzGetFilePos(zip, &position);
        readCurrent(archive, key, name, depth);
        // Finding by name moved the cursor: go back for the next entry.
        if (unzGoToFilePos(zip, &position) != UNZ_OK) {
            return;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ph::Pointer<ph::Data<char>> bytes = fuzzInputData(data, size, size_t(1) << 24);
    if (!bytes) {
        return 0;
    }
    void* archive = ph::openArchiveInMemory(bytes.get());
    if (archive == nullptr) {
        return 0;
    }
    readEntries(archive, (size % 2) == 0 ? password : "", 0);
    unzClose(static_cast<unzFile>(archive));
    return 0;
}
