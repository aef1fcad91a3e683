#include "engine/StringTable.h"

#include <cstring>

void StringTable::add(const char* name, const char* value) {
    Entry entry;
    entry.name.assign(name, strnlen(name, maxNameLength));
    entry.value.assign(value, strnlen(value, maxValueLength));
    entries.push_front(std::move(entry));
}

const char* StringTable::lookup(const char* name) const {
    for (const Entry& entry : entries) {
        if (entry.name == name) {
            return entry.value.c_str();
        }
    }
    return nullptr;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

class Parser {
public:
    Parser(const char* text, size_t length) : at(text), end(text + length) {}

    bool run(StringTable& table) {
        for (;;) {
            skipBlanks();
            if (at == end) {
                return true;
            }
            if (*at == ';') {
                while (at != end && *at != '\n') {
                    ++at;
                }
                continue;
            }
            std::string name = readName();
            skipBlanks();
            if (at == end || *at != '=') {
                return false;
            }
            ++at;
            skipBlanks();
            if (at == end || *at != '"') {
                return false;
            }
            ++at;
            std::string value = readValue();
            table.add(name.c_str(), value.c_str());
        }
    }

private:
    void skipBlanks() {
        while (at != end && isBlank(*at)) {
            ++at;
        }
    }

    std::string readName() {
        std::string name;
        while (at != end && *at != '=' && !isBlank(*at)) {
            if (name.size() < StringTable::maxNameLength) {
                name += *at;
            }
            ++at;
        }
        return name;
    }

    // Runs to the closing quote (consumed) or the end of the text.
    std::string readValue() {
        std::string value;
        auto append = [&value](char c) {
            if (value.size() < StringTable::maxValueLength) {
                value += c;
            }
        };
        while (at != end && *at != '"') {
            const char c = *at;
            if (c == '\\') {
                ++at;
                if (at == end) {
                    break;
                }
                append(*at == 'n' ? '\n' : *at);
                ++at;
            } else if (c == '\n' || c == '\r') {
                // A line break and the blanks around it join the lines with one blank.
                while (!value.empty() && isBlank(value.back())) {
                    value.pop_back();
                }
                skipBlanks();
                append(' ');
            } else {
                append(c);
                ++at;
            }
        }
        if (at != end) {
            ++at;
        }
        return value;
    }

    const char* at;
    const char* end;
};

} // namespace

bool parseStringTable(const char* text, size_t length, StringTable& table) {
    static const char header[] = "[STRINGTABLE]";
    const size_t headerLength = sizeof(header) - 1;
    if (length < headerLength || memcmp(text, header, headerLength) != 0) {
        return false;
    }
    // The header and one line-break character.
    const size_t start = length > headerLength ? headerLength + 1 : headerLength;
    return Parser(text + start, length - start).run(table);
}
