#pragma once
// The player's movie choice: the "current_scr" entry of the game's app.config,
// a text file of `key = value` lines in the game's application-data folder.

#include <string>

namespace ph {
class IInputStream;
}

namespace screensaver {

// The value of the first "current_scr" line, verbatim up to the next " = ";
// "" when there is none. Lines without the exact " = " separator are skipped.
std::string findCurrentMovie(ph::IInputStream& config);

// Folder under the user's application data that holds the game's files.
extern const char* const gameDataFolder;

// Reads app.config from the game's folder under the user's roaming
// application data; "" when the folder, the file or the entry is missing.
std::string readCurrentMovie();

} // namespace screensaver
