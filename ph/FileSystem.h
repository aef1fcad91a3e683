#pragma once
// The one file system of the program. Relative paths are `root` followed by
// the path, plain concatenation; absolute paths are used unchanged. Streams
// it opens carry one reference for the caller.

#include <string>

namespace ph {

class IInputStream;
class IOutputStream;

class FileSystem {
public:
    // The process-wide instance, built on first use.
    static FileSystem& instance();

    virtual bool exists(const std::string& path, bool absolute);
    virtual void removeFile(const std::string& path, bool absolute);
    // None, after logging "file not found " and the path, when it cannot be opened.
    virtual IInputStream* openForReading(const std::string& path, bool absolute);
    // Always a writer; one whose file failed to open writes nothing.
    virtual IOutputStream* openForWriting(const std::string& path, bool absolute);
    virtual bool mountArchive(const std::string& archivePath, const std::string& password,
                              bool nested);
    virtual bool isArchiveMounted();
    virtual void unmountArchive();

    const std::string& root() const { return rootPath; }
    void setRoot(const std::string& root) { rootPath = root; }

    std::string fullPath(const std::string& path, bool absolute) const {
        return absolute ? path : rootPath + path;
    }

protected:
    FileSystem() = default;
    ~FileSystem() = default; // the one instance is static, never deleted through this type
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;

private:
    std::string rootPath;
};

} // namespace ph
