// The system font's assets are resources of the program (SystemFont.rc).
#include "pr/SystemFont.h"

#include <windows.h>

namespace pr {

const char* const SystemFontName = "SystemFont";

namespace {

const void* resourceBytes(const char* name, uint32_t* size) {
    HMODULE program = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(program, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = resource != nullptr ? LoadResource(program, resource) : nullptr;
    if (loaded == nullptr) {
        return nullptr;
    }
    *size = SizeofResource(program, resource);
    return LockResource(loaded);
}

} // namespace

bool systemFontAssets(SystemFontAssets& assets) {
    assets.image = resourceBytes("SYSTEMFONT_IMAGE", &assets.imageSize);
    assets.description =
        static_cast<const char*>(resourceBytes("SYSTEMFONT_DESCRIPTION", &assets.descriptionSize));
    return assets.image != nullptr && assets.description != nullptr;
}

} // namespace pr
