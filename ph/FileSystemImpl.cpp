#include "ph/FileSystemImpl.h"

#include "ph/MemoryReader.h"
#include "ph/Pointer.h"
#include "ph/ZipArchive.h"

#include <minizip/unzip.h>

namespace ph {

FileSystem& FileSystem::instance() {
    static FileSystemImpl fileSystem;
    return fileSystem;
}

FileSystemImpl::~FileSystemImpl() { unmountArchive(); }

IInputStream* FileSystemImpl::openForReading(const std::string& path, bool absolute) {
    if (!archive) {
        return FileSystem::openForReading(path, absolute);
    }
    Pointer<Data<char>> entry = adopt(readArchiveEntry(archive, archivePassword, path));
    if (!entry) {
        return nullptr;
    }
    return new MemoryReader(entry.get());
}

bool FileSystemImpl::mountArchive(const std::string& archivePath, const std::string& password,
                                  bool nested) {
    unmountArchive();
    archivePassword = password;
    std::string full = fullPath(archivePath, false);
    if (!nested) {
        archive = unzOpen(full.c_str());
        return isArchiveMounted();
    }
    unzFile outer = unzOpen(full.c_str());
    if (!outer) {
        return false;
    }
    std::string reversed(password.rbegin(), password.rend());
    Pointer<Data<char>> inner = adopt(readArchiveEntry(outer, reversed, archivePath));
    unzClose(outer);
    if (inner) {
        archive = openArchiveInMemory(inner.get());
    }
    return isArchiveMounted();
}

void FileSystemImpl::unmountArchive() {
    if (archive) {
        unzClose(static_cast<unzFile>(archive));
        archive = nullptr;
    }
}

} // namespace ph
