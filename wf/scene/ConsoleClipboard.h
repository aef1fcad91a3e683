#pragma once
// The console's paste source: the system clipboard's ANSI text, opened with
// the engine's window as owner. Without a system clipboard it offers nothing.

#include <string>

namespace wf {

// False, and `text` untouched, when there is no text or the clipboard cannot
// be opened or read.
bool readClipboardText(std::string* text);

} // namespace wf
