// Files, packs, ini settings and random numbers of the engine.
#include "engine/EngineImpl.h"

#include <minizip/unzip.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/EngineRandom.h"
#include "ph/ZipArchive.h"

namespace {

// The pack entry under the archive's cursor, in a block of its own from the C
// heap (Data_FreeFile gives it back).
bool readWholeEntry(unzFile archive, const char* password, void** block, uint32_t* size) {
    uint32_t length = 0;
    char* data = ph::readCurrentEntry(archive, password, length);
    if (data == nullptr) {
        return false;
    }
    *block = data;
    *size = length;
    return true;
}

} // namespace

void* EngineImpl::Data_LoadFile(const char* name, uint32_t* size) {
    uint32_t ignoredSize;
    if (size == nullptr) {
        size = &ignoredSize;
    }
    if (name == nullptr) {
        fail("Can't load resource: no name");
        return nullptr;
    }
    char message[enginepaths::maxPath + 32];
    snprintf(message, sizeof(message), "Can't load resource: %s", name);

    if (!enginepaths::isAbsolute(name)) {
        char wanted[enginepaths::maxPath];
        if (enginepaths::packName(name, wanted, sizeof(wanted))) {
            for (EnginePack* pack = packs; pack != nullptr; pack = pack->next) {
                unzFile archive = unzOpen(pack->path);
                if (archive == nullptr) {
                    continue;
                }
                for (int status = unzGoToFirstFile(archive); status == UNZ_OK;
                     status = unzGoToNextFile(archive)) {
                    char entryName[enginepaths::maxPath];
                    unz_file_info info;
                    // Names that do not fit cannot be the wanted one: skip them.
                    if (unzGetCurrentFileInfo(archive, &info, entryName, sizeof(entryName), nullptr,
                                              0, nullptr, 0) != UNZ_OK ||
                        info.size_filename >= sizeof(entryName)) {
                        continue;
                    }
                    char entryKey[enginepaths::maxPath];
                    enginepaths::packName(entryName, entryKey, sizeof(entryKey));
                    if (strcmp(entryKey, wanted) != 0) {
                        continue;
                    }
                    void* block = nullptr;
                    const bool loaded = readWholeEntry(archive, pack->password, &block, size);
                    unzClose(archive);
                    if (!loaded) {
                        fail(message);
                        return nullptr;
                    }
                    return block;
                }
                unzClose(archive);
            }
        }
    }

    const char* path = Data_ResolvePath(name);
    HANDLE file = path[0] == '\0' ? INVALID_HANDLE_VALUE
                                  : CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fail(message);
        return nullptr;
    }
    const DWORD length = GetFileSize(file, nullptr);
    char* data = length == INVALID_FILE_SIZE ? nullptr : static_cast<char*>(malloc(length + 1));
    DWORD read = 0;
    const bool ok =
        data != nullptr && ReadFile(file, data, length, &read, nullptr) && read == length;
    CloseHandle(file);
    if (!ok) {
        free(data);
        fail(message);
        return nullptr;
    }
    *size = length;
    return data;
}

void EngineImpl::Data_FreeFile(void* block) {
    free(block);
}

bool EngineImpl::Data_AddArchive(const char* name, const char* password) {
    char path[enginepaths::maxPath];
    if (!enginepaths::packName(Data_ResolvePath(name), path, sizeof(path)) || path[0] == '\0') {
        return false;
    }
    // minizip takes the password as a C string; a cut one could never match.
    if (password != nullptr && strlen(password) >= sizeof(EnginePack::password)) {
        return false;
    }
    for (EnginePack* pack = packs; pack != nullptr; pack = pack->next) {
        if (strcmp(pack->path, path) == 0) {
            return false;
        }
    }
    unzFile archive = unzOpen(path);
    if (archive == nullptr) {
        return false;
    }
    unzClose(archive);
    EnginePack* pack = new EnginePack();
    strcpy(pack->path, path);
    strcpy(pack->password, password != nullptr ? password : "");
    pack->next = packs;
    packs = pack;
    return true;
}

void EngineImpl::Data_RemoveArchive(const char* name) {
    char path[enginepaths::maxPath];
    if (!enginepaths::packName(Data_ResolvePath(name), path, sizeof(path))) {
        return;
    }
    for (EnginePack** link = &packs; *link != nullptr; link = &(*link)->next) {
        if (strcmp((*link)->path, path) == 0) {
            EnginePack* removed = *link;
            *link = removed->next;
            delete removed;
            return;
        }
    }
}

void EngineImpl::Data_RemoveAllArchives() {
    while (packs != nullptr) {
        EnginePack* next = packs->next;
        delete packs;
        packs = next;
    }
}

const char* EngineImpl::Data_ResolvePath(const char* name) {
    enginepaths::resolve(appDirectory, name, pathResult, sizeof(pathResult));
    return pathResult;
}

namespace {

bool isDotFolder(const char* name) {
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

} // namespace

// One search serves both operations; `wantFolders` picks what a match must be.
static const char* findNext(EngineImpl& engine, const char* mask, bool wantFolders) {
    if (mask != nullptr) {
        if (engine.search != INVALID_HANDLE_VALUE) {
            FindClose(engine.search);
        }
        const char* pattern = engine.Data_ResolvePath(mask);
        engine.search = pattern[0] == '\0' ? INVALID_HANDLE_VALUE
                                           : FindFirstFileA(pattern, &engine.searchRecord);
        if (engine.search == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
    } else {
        if (engine.search == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        if (!FindNextFileA(engine.search, &engine.searchRecord)) {
            FindClose(engine.search);
            engine.search = INVALID_HANDLE_VALUE;
            return nullptr;
        }
    }
    for (;;) {
        const bool folder = (engine.searchRecord.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder == wantFolders && !(folder && isDotFolder(engine.searchRecord.cFileName))) {
            return engine.searchRecord.cFileName;
        }
        if (!FindNextFileA(engine.search, &engine.searchRecord)) {
            FindClose(engine.search);
            engine.search = INVALID_HANDLE_VALUE;
            return nullptr;
        }
    }
}

const char* EngineImpl::Data_FindFiles(const char* mask) {
    return findNext(*this, mask, false);
}

const char* EngineImpl::Data_FindFolders(const char* mask) {
    return findNext(*this, mask, true);
}

namespace {

// The stored text of a key; false without an ini file or when it is empty.
bool readIniText(const char* iniFile, const char* section, const char* key, char (&text)[256]) {
    if (iniFile[0] == '\0') {
        return false;
    }
    GetPrivateProfileStringA(section, key, "", text, sizeof(text), iniFile);
    return text[0] != '\0';
}

} // namespace

void EngineImpl::Settings_WriteInt(const char* section, const char* key, int value) {
    if (iniFile[0] == '\0') {
        return;
    }
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    WritePrivateProfileStringA(section, key, text, iniFile);
}

int EngineImpl::Settings_ReadInt(const char* section, const char* key, int fallback) {
    char text[256];
    return readIniText(iniFile, section, key, text) ? atoi(text) : fallback;
}

void EngineImpl::Settings_WriteFloat(const char* section, const char* key, float value) {
    if (iniFile[0] == '\0') {
        return;
    }
    char text[64];
    snprintf(text, sizeof(text), "%f", value);
    WritePrivateProfileStringA(section, key, text, iniFile);
}

float EngineImpl::Settings_ReadFloat(const char* section, const char* key, float fallback) {
    char text[256];
    return readIniText(iniFile, section, key, text) ? static_cast<float>(atof(text)) : fallback;
}

void EngineImpl::Settings_WriteString(const char* section, const char* key, const char* value) {
    if (iniFile[0] != '\0') {
        WritePrivateProfileStringA(section, key, value, iniFile);
    }
}

const char* EngineImpl::Settings_ReadString(const char* section, const char* key,
                                            const char* fallback) {
    if (iniFile[0] != '\0') {
        GetPrivateProfileStringA(section, key, fallback, iniString, sizeof(iniString), iniFile);
    } else {
        enginepaths::copyBounded(iniString, sizeof(iniString), fallback != nullptr ? fallback : "");
    }
    return iniString;
}

void EngineImpl::Rand_SetSeed(int seed) {
    const uint32_t state = seed != 0 ? static_cast<uint32_t>(seed) : clock->now();
    srand(state);
    enginerandom::setState(state);
}

int EngineImpl::Rand_Integer(int min, int max) {
    return enginerandom::integer(min, max);
}

float EngineImpl::Rand_Real(float min, float max) {
    return enginerandom::real(min, max);
}
