#pragma once
// String tables: named texts read from "[STRINGTABLE]" files, used for the
// program's message table. A later definition of a name hides an earlier one.

#include <cstddef>
#include <forward_list>
#include <string>

class StringTable {
public:
    static constexpr size_t maxNameLength = 64;
    // Longer values are cut here rather than overflowing a line buffer.
    static constexpr size_t maxValueLength = 8191;

    // Adds at the head; names are cut to maxNameLength characters.
    void add(const char* name, const char* value);
    // The newest entry with exactly that name, or null.
    const char* lookup(const char* name) const;
    bool empty() const { return entries.empty(); }

private:
    struct Entry {
        std::string name;
        std::string value;
    };
    std::forward_list<Entry> entries;
};

// Parses a whole "[STRINGTABLE]" text into `table`. False on a bad header or
// a malformed line; entries read before the fault are kept.
bool parseStringTable(const char* text, size_t length, StringTable& table);

// Reads the file through the program's file system and parses it; a file that
// cannot be opened gives an empty table, a malformed one writes
// "String table <name> has incorrect format." to the engine log. The caller
// owns the result.
StringTable* loadStringTable(const char* fileName);
