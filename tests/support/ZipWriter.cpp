#include "tests/support/ZipWriter.h"

#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <minizip/zip.h>
#include <stdexcept>
#include <zlib.h>

namespace testsupport {

void writeZip(const std::string& path, const std::vector<ZipEntry>& entries) {
    zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
    if (!zip) {
        throw std::runtime_error("zipOpen failed for " + path);
    }
    for (const ZipEntry& entry : entries) {
        zip_fileinfo info = {};
        const char* password = entry.password.empty() ? nullptr : entry.password.c_str();
        // Encryption needs the CRC of the plain bytes up front.
        uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(entry.bytes.data()),
                          uInt(entry.bytes.size()));
        int rc = zipOpenNewFileInZip3(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0,
                                      nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
                                      DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, password, crc);
        if (rc != ZIP_OK ||
            zipWriteInFileInZip(zip, entry.bytes.data(), unsigned(entry.bytes.size())) != ZIP_OK ||
            zipCloseFileInZip(zip) != ZIP_OK) {
            zipClose(zip, nullptr);
            throw std::runtime_error("cannot add " + entry.name + " to " + path);
        }
    }
    if (zipClose(zip, nullptr) != ZIP_OK) {
        throw std::runtime_error("zipClose failed for " + path);
    }
}

std::string makeZip(const std::vector<ZipEntry>& entries) {
    TempDir dir;
    writeZip(dir.file("archive.zip"), entries);
    return readFile(dir.file("archive.zip"));
}

} // namespace testsupport
