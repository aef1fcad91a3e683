#pragma once
// Reading zip archives through minizip, for the file system and the engine's
// packs. Each finds its entries by its own naming rule; both open and read an
// entry here, so that passwords and checksums follow one rule.

#include "ph/Data.h"

#include <string>

namespace ph {

// The whole entry `name` ("\" read as "/", letter case ignored), inflated into
// a new buffer carrying one reference for the caller; null when the entry is
// missing, cannot be opened with `password` (empty for none), is empty or
// fails to inflate. `archive` is minizip's unzFile.
Data<char>* readArchiveEntry(void* archive, const std::string& password, const std::string& name);

// The uncompressed size of the archive's current entry; false when its
// header cannot be read or claims more than its compressed bytes can give.
bool currentEntrySize(void* archive, uint32_t& size);

// Reads the archive's current entry whole into a block from the C heap with
// one spare byte after the data (so that an empty entry still gets a block),
// and sets `size`. `password` (null or empty: none) is used only when the
// entry is encrypted: minizip would "decrypt" a plain entry too. Null when
// the entry cannot be opened, reads short, or its bytes do not match its CRC
// (also how a wrong password shows).
char* readCurrentEntry(void* archive, const char* password, uint32_t& size);

// Opens an archive held in memory; the archive keeps `bytes` alive until it
// is closed. Returns minizip's unzFile or null.
void* openArchiveInMemory(Data<char>* bytes);

} // namespace ph
