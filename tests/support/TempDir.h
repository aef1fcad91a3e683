#pragma once
// A scratch folder for one test, removed with everything in it at the end.

#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with "/".
    const std::string& path() const { return folder; }
    std::string file(const std::string& name) const { return folder + name; }

private:
    std::string folder;
};

} // namespace testsupport
