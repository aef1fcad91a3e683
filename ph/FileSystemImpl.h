#pragma once
// The file system with zip archives: while an archive is mounted, every read
// is served from it (entry names as given, letter case ignored); writes and
// existence checks still go to plain files.

#include "ph/FileSystem.h"

#include <string>

namespace ph {

class FileSystemImpl : public FileSystem {
public:
    FileSystemImpl() = default;
    ~FileSystemImpl();

    IInputStream* openForReading(const std::string& path, bool absolute) override;
    // Mounting replaces any archive already mounted. Nested: the archive is
    // the entry `archivePath` of the archive file `archivePath`, read with
    // the password reversed, and opened from memory.
    bool mountArchive(const std::string& archivePath, const std::string& password,
                      bool nested) override;
    bool isArchiveMounted() override { return archive != nullptr; }
    void unmountArchive() override;

private:
    void* archive = nullptr; // minizip's unzFile
    std::string archivePassword;
};

} // namespace ph
