#include "screensaver/MovieChoice.h"

#include "ph/FileSystem.h"
#include "ph/IInputStream.h"
#include "ph/Pointer.h"

#include <windows.h>
#include <shlobj.h>

namespace screensaver {

std::string readCurrentMovie() {
    char appData[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, appData))) {
        return std::string();
    }
    std::string path = std::string(appData) + "\\" + gameDataFolder + "\\app.config";
    ph::Pointer<ph::IInputStream> config =
        ph::adopt(ph::FileSystem::instance().openForReading(path, true));
    if (!config) {
        return std::string();
    }
    return findCurrentMovie(*config);
}

} // namespace screensaver
