#include "engine/EnginePaths.h"

#include <cstring>

namespace enginepaths {

bool isAbsolute(const char* name) {
    return name[0] == '\\' || name[0] == '/' || (name[0] != '\0' && name[1] == ':');
}

bool resolve(const char* appDirectory, const char* name, char* out, size_t capacity) {
    const char* prefix = name == nullptr || !isAbsolute(name) ? appDirectory : "";
    const char* rest = name == nullptr ? "" : name;
    const size_t prefixLength = strlen(prefix);
    const size_t restLength = strlen(rest);
    if (prefixLength + restLength + 1 > capacity) {
        if (capacity > 0) {
            out[0] = '\0';
        }
        return false;
    }
    memcpy(out, prefix, prefixLength);
    memcpy(out + prefixLength, rest, restLength + 1);
    for (char* c = out; *c != '\0'; ++c) {
        if (*c == '/') {
            *c = '\\';
        }
    }
    return true;
}

bool packName(const char* name, char* out, size_t capacity) {
    const size_t length = strlen(name);
    if (length + 1 > capacity) {
        if (capacity > 0) {
            out[0] = '\0';
        }
        return false;
    }
    for (size_t i = 0; i <= length; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c == '/') {
            c = '\\';
        }
        out[i] = c;
    }
    return true;
}

bool copyBounded(char* out, size_t capacity, const char* source) {
    if (capacity == 0) {
        return false;
    }
    const size_t length = strnlen(source, capacity);
    if (length < capacity) {
        memcpy(out, source, length + 1);
        return true;
    }
    memcpy(out, source, capacity - 1);
    out[capacity - 1] = '\0';
    return false;
}

} // namespace enginepaths
