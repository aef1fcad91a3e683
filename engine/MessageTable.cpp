#include "engine/MessageTable.h"

#include "engine/StringTable.h"

#include <memory>

namespace {

struct MessageTable {
    std::string language = "EN";
    std::unique_ptr<StringTable> strings;

    MessageTable() {
        // No message file ships: the load fails (and says so in the log), so the
        // defaults below are the whole table.
        strings.reset(loadStringTable(""));
        strings->add("NO_SOUND_CARD",
                     "Sound card not detected. The game will continue without audio.");
        strings->add("WARNING", "Warning!");
        strings->add("FORCING_FULLSCREEN",
                     "Your screen resolution is not supported for windowed game mode.\nGame will "
                     "be automatically switched to full screen.");
        strings->add("CANNOT_SWITCH_WINDOWED", "The game cannot be switched to windowed mode\n"
                                               "because your screen resolution is not supported.");
    }
};

MessageTable& messageTable() {
    static MessageTable table;
    return table;
}

} // namespace

std::string lookupMessage(const std::string& key) {
    const char* text = messageTable().strings->lookup(key.c_str());
    return text != nullptr ? std::string(text) : "$" + key;
}

void setMessageLanguage(const std::string& language) {
    if (!language.empty()) {
        messageTable().language = language;
    }
}
