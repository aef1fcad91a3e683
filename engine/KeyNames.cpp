#include "engine/KeyNames.h"

namespace {

struct KeyNameTable {
    const char* names[256];

    KeyNameTable() {
        for (const char*& name : names) {
            name = "?";
        }
        struct Named {
            int code;
            const char* name;
        };
        static const Named named[] = {
            {1, "Left Mouse Button"},
            {2, "Right Mouse Button"},
            {4, "Middle Mouse Button"},
            {8, "Backspace"},
            {9, "Tab"},
            {13, "Enter"},
            {16, "Shift"},
            {17, "Ctrl"},
            {18, "Alt"},
            {19, "Pause"},
            {20, "Caps Lock"},
            {27, "Escape"},
            {32, "Space"},
            {33, "Page Up"},
            {34, "Page Down"},
            {35, "End"},
            {36, "Home"},
            {37, "Left Arrow"},
            {38, "Up Arrow"},
            {39, "Right Arrow"},
            {40, "Down Arrow"},
            {45, "Insert"},
            {46, "Delete"},
            {91, "Left Win"},
            {92, "Right Win"},
            {93, "Application"},
            {106, "Multiply"},
            {107, "Add"},
            {109, "Subtract"},
            {110, "Decimal"},
            {111, "Divide"},
            {144, "Num Lock"},
            {145, "Scroll Lock"},
            {186, "Semicolon"},
            {187, "Equals"},
            {188, "Comma"},
            {189, "Minus"},
            {190, "Period"},
            {191, "Slash"},
            {192, "Grave"},
            {219, "Left bracket"},
            {220, "Backslash"},
            {221, "Right bracket"},
            {222, "Apostrophe"},
        };
        for (const Named& entry : named) {
            names[entry.code] = entry.name;
        }
        static const char* const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        static const char* const numPad[] = {"NumPad 0", "NumPad 1", "NumPad 2", "NumPad 3",
                                             "NumPad 4", "NumPad 5", "NumPad 6", "NumPad 7",
                                             "NumPad 8", "NumPad 9"};
        for (int i = 0; i < 10; ++i) {
            names[48 + i] = digits[i];
            names[96 + i] = numPad[i];
        }
        static const char* const letters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                              "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                              "S", "T", "U", "V", "W", "X", "Y", "Z"};
        for (int i = 0; i < 26; ++i) {
            names[65 + i] = letters[i];
        }
        static const char* const functionKeys[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                   "F7", "F8", "F9", "F10", "F11", "F12"};
        for (int i = 0; i < 12; ++i) {
            names[112 + i] = functionKeys[i];
        }
    }
};

} // namespace

const char* engineKeyName(int key) {
    static const KeyNameTable table;
    if (key < 0 || key > 255) {
        return "?";
    }
    return table.names[key];
}
