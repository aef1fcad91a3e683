#pragma once
// Reading zip archives through minizip, for the file system.

#include "ph/Data.h"

#include <string>

namespace ph {

// The whole entry `name` ("\" read as "/", letter case ignored), inflated into
// a new buffer carrying one reference for the caller; null when the entry is
// missing, cannot be opened with `password` (empty for none), is empty or
// fails to inflate. `archive` is minizip's unzFile.
Data<char>* readArchiveEntry(void* archive, const std::string& password, const std::string& name);

// Opens an archive held in memory; the archive keeps `bytes` alive until it
// is closed. Returns minizip's unzFile or null.
void* openArchiveInMemory(Data<char>* bytes);

} // namespace ph
