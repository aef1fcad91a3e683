#include "ph/FileSystem.h"

#include "ph/FileReader.h"
#include "ph/FileWriter.h"
#include "ph/Log.h"

#include <cstdio>

namespace ph {

bool FileSystem::exists(const std::string& path, bool absolute) {
    std::FILE* file = std::fopen(fullPath(path, absolute).c_str(), "r");
    if (!file) {
        return false;
    }
    std::fclose(file);
    return true;
}

void FileSystem::removeFile(const std::string& path, bool absolute) {
    if (exists(path, absolute)) {
        std::remove(fullPath(path, absolute).c_str());
    }
}

IInputStream* FileSystem::openForReading(const std::string& path, bool absolute) {
    FileReader* reader = new FileReader(fullPath(path, absolute));
    if (!reader->isOpen()) {
        PH_LOG(0) << "file not found " << path;
        reader->release();
        return nullptr;
    }
    return reader;
}

IOutputStream* FileSystem::openForWriting(const std::string& path, bool absolute) {
    return new FileWriter(fullPath(path, absolute));
}

bool FileSystem::mountArchive(const std::string&, const std::string&, bool) { return false; }

bool FileSystem::isArchiveMounted() { return false; }

void FileSystem::unmountArchive() {}

} // namespace ph
