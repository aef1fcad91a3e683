#include "wf/scene/ConsoleClipboard.h"

namespace wf {

// Native builds serve tests and tools only; they have no clipboard to read.
bool readClipboardText(std::string*) {
    return false;
}

} // namespace wf
