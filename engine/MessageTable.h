#pragma once
// The program's user-facing texts by key, for the warning boxes of the
// application shell. Built on the first lookup and kept for the process.

#include <string>

// The text for `key`, or "$" followed by the key when the table has none.
std::string lookupMessage(const std::string& key);

// The language code the settings chose ("EN" until set; nothing reads it yet).
void setMessageLanguage(const std::string& language);
