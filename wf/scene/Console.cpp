#include "wf/scene/Console.h"

#include "wf/scene/ConsoleClipboard.h"
#include "wf/scene/InputEvent.h"

namespace wf {

namespace {

// Windows virtual-key codes the console reacts to.
const int32_t KeyBackspace = 0x08;
const int32_t KeyTab = 0x09;
const int32_t KeyEnter = 0x0D;
const int32_t KeyUp = 0x26;
const int32_t KeyDown = 0x28;
const int32_t KeyV = 0x56;

// Typed characters: space and 33..125 except the backquote; the backquote
// and the tilde belong to the toggle key and never enter the line.
const int32_t CharSpace = 32;
const int32_t CharFirstPrintable = 33;
const int32_t CharLastPrintable = 125;
const int32_t CharBackquote = 96;

std::string trimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace

Console::Console(const std::string& consoleName) : clipboard(readClipboardText) {
    setName(consoleName);
}

void Console::resume() {
    if (!isPaused()) {
        return;
    }
    setPausedFlag(false);
    input.clear();
}

void Console::addText(const std::string& text) {
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        outputLines.push_front(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    while (outputLines.size() > MaxLines) {
        outputLines.pop_back();
    }
}

bool Console::submitLine(const std::string& line) {
    if (flagBits & ConfirmMode) {
        return line == "y";
    }
    if (line.empty()) {
        return false;
    }
    if (historyLines.empty() || historyLines.back() != line) {
        historyLines.push_back(line);
    }
    historyPosition = static_cast<int32_t>(historyLines.size());
    return true;
}

void Console::completeInput() {
    if (input.empty()) {
        return;
    }
    for (const std::string& command : commandNames) {
        if (command.compare(0, input.size(), input) == 0) {
            input = command + " ";
            return;
        }
    }
}

bool Console::keyDown(InputEvent* event) {
    if (handleKey(*event)) {
        return true;
    }
    return handleCharacter(*event);
}

bool Console::handleKey(const InputEvent& event) {
    switch (event.key) {
    case KeyBackspace:
        if (!input.empty()) {
            input.pop_back();
        }
        return false;
    case KeyTab:
        completeInput();
        return true;
    case KeyEnter:
        enterLine();
        return false;
    case KeyUp:
        browseUp();
        return true;
    case KeyDown:
        browseDown();
        return true;
    case KeyV:
        if (event.modifiers & InputEvent::CtrlModifier) {
            paste();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool Console::handleCharacter(const InputEvent& event) {
    const int32_t c = event.character;
    const bool printable =
        c == CharSpace || (c >= CharFirstPrintable && c <= CharLastPrintable && c != CharBackquote);
    if (!printable) {
        return false;
    }
    input.push_back(static_cast<char>(c));
    return true;
}

void Console::enterLine() {
    submitLine(trimSpaces(input));
    input.clear();
}

void Console::browseUp() {
    if (historyPosition > 0) {
        --historyPosition;
        input = historyLines[historyPosition];
    }
}

void Console::browseDown() {
    const int32_t size = static_cast<int32_t>(historyLines.size());
    ++historyPosition;
    if (historyPosition >= size) {
        historyPosition = size;
        input.clear();
    } else {
        input = historyLines[historyPosition];
    }
}

void Console::paste() {
    std::string text;
    if (clipboard && clipboard(&text)) {
        input += text;
    }
}

} // namespace wf
