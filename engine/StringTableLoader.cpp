// Loads "[STRINGTABLE]" files through the program's file system; format
// faults go to the engine log.
#include "engine/Engine.h"
#include "engine/EnginePaths.h"
#include "engine/StringTable.h"

#include "ph/FileSystem.h"
#include "ph/IInputStream.h"

#include <vector>

StringTable* loadStringTable(const char* fileName) {
    Engine* engine = AcquireEngine();
    StringTable* table = new StringTable();
    ph::IInputStream* stream =
        ph::FileSystem::instance().openForReading(fileName, enginepaths::isAbsolute(fileName));
    if (stream != nullptr) {
        std::vector<char> text(stream->size() + 1, '\0');
        const uint32_t length = stream->read(text.data(), stream->size());
        stream->release();
        if (!parseStringTable(text.data(), length, *table)) {
            engine->System_WriteLog("String table %s has incorrect format.", fileName);
        }
    }
    engine->System_Release();
    return table;
}
