#include "engine/StringTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Parsed {
    bool ok;
    StringTable table;
};

void parse(const std::string& text, Parsed& out) {
    out.ok = parseStringTable(text.c_str(), text.size(), out.table);
}

TEST(StringTable, ParsesNamesAndValues) {
    struct Case {
        const char* what;
        std::string text;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"plain", "[STRINGTABLE]\nHELLO = \"Hello there\"\n", "HELLO", "Hello there"},
        {"no blanks around =", "[STRINGTABLE]\nA=\"x\"", "A", "x"},
        {"escaped line feed", "[STRINGTABLE]\nA = \"a\\nb\"", "A", "a\nb"},
        {"escaped quote", "[STRINGTABLE]\nA = \"say \\\"hi\\\"\"", "A", "say \"hi\""},
        {"value over two lines joined by one blank", "[STRINGTABLE]\nA = \"one   \r\n    two\"",
         "A", "one two"},
        {"comment lines", "[STRINGTABLE]\n; note = \"no\"\nA = \"yes\"", "A", "yes"},
        {"unterminated value runs to the end", "[STRINGTABLE]\nA = \"open", "A", "open"},
        {"backslash at the very end", "[STRINGTABLE]\nA = \"x\\", "A", "x"},
        {"CRLF after the header", "[STRINGTABLE]\r\nA = \"v\"", "A", "v"},
        {"any one character after the header is skipped", "[STRINGTABLE]XA = \"v\"", "A", "v"},
    };
    for (const Case& c : cases) {
        Parsed parsed;
        parse(c.text, parsed);
        EXPECT_TRUE(parsed.ok) << c.what;
        const char* value = parsed.table.lookup(c.name);
        ASSERT_NE(nullptr, value) << c.what;
        EXPECT_STREQ(c.value, value) << c.what;
    }
}

TEST(StringTable, LaterDefinitionHidesEarlierOne) {
    Parsed parsed;
    parse("[STRINGTABLE]\nA = \"first\"\nB = \"b\"\nA = \"second\"\n", parsed);
    EXPECT_TRUE(parsed.ok);
    EXPECT_STREQ("second", parsed.table.lookup("A"));
    EXPECT_STREQ("b", parsed.table.lookup("B"));
    EXPECT_EQ(nullptr, parsed.table.lookup("a"));
}

TEST(StringTable, MalformedTextsKeepWhatWasRead) {
    struct Case {
        const char* what;
        std::string text;
        bool hasA;
    };
    const Case cases[] = {
        {"wrong header", "[STRINGTABLES]\nA = \"x\"", false},
        {"header only", "[STRINGTABLE]", false},
        {"too short", "[STRING", false},
        {"missing =", "[STRINGTABLE]\nA = \"x\"\nB \"y\"", true},
        {"missing quote", "[STRINGTABLE]\nA = \"x\"\nB = y", true},
    };
    for (const Case& c : cases) {
        Parsed parsed;
        parse(c.text, parsed);
        const bool expectOk = c.text == "[STRINGTABLE]";
        EXPECT_EQ(expectOk, parsed.ok) << c.what;
        EXPECT_EQ(c.hasA, parsed.table.lookup("A") != nullptr) << c.what;
    }
}

TEST(StringTable, OverlongNamesAndValuesAreCut) {
    const std::string name(70, 'N');
    const std::string value(9000, 'v');
    Parsed parsed;
    parse("[STRINGTABLE]\n" + name + " = \"" + value + "\"\nNEXT = \"n\"", parsed);
    EXPECT_TRUE(parsed.ok);
    const char* found = parsed.table.lookup(std::string(64, 'N').c_str());
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(StringTable::maxValueLength, std::string(found).size());
    EXPECT_STREQ("n", parsed.table.lookup("NEXT"));
}

} // namespace
