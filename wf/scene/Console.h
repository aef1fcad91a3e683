#pragma once
// The process-wide console overlay: the newest log lines over a dark band at
// the top of the screen, and an input line with history, completion and
// paste. Hidden and paused until the application's toggle shows it.

#include "wf/scene/Element.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace wf {

class Console : public Element {
public:
    static constexpr size_t MaxLines = 25;
    static constexpr int32_t ZOrder = 1000; // above every ordinary child of the application
    static constexpr const char* FontName = "SystemFont";
    enum ConsoleFlags : uint32_t {
        ConfirmMode = 0x1, // a submitted line is a yes/no reply, not a history entry
    };
    // Fills `text` from the system clipboard; false when it offers no text.
    typedef std::function<bool(std::string* text)> ClipboardReader;

    explicit Console(const std::string& name);
    ~Console() override = default;

    void drawSelf() override;
    // Showing the console again starts with an empty input line.
    void resume() override;
    bool keyDown(InputEvent* event) override;
    bool takesKeyFocus() const override { return true; }

    // Splits at every "\n" (empty pieces too); each piece goes in front, and
    // only the newest MaxLines are kept.
    void addText(const std::string& text);
    // Answers whether the line was taken (recorded, or a "y" in ConfirmMode).
    bool submitLine(const std::string& line);
    // The first command name that begins with the input line, and a space.
    void completeInput();

    const std::deque<std::string>& lines() const { return outputLines; } // newest first
    const std::vector<std::string>& history() const { return historyLines; }
    int32_t historyIndex() const { return historyPosition; }
    const std::string& inputLine() const { return input; }
    void setInputLine(const std::string& text) { input = text; }
    std::vector<std::string>& commands() { return commandNames; }
    uint32_t consoleFlags() const { return flagBits; }
    void setConsoleFlags(uint32_t value) { flagBits = value; }
    // Width of the background band in scene units: the application's screen
    // width over its horizontal resolution scale. Until set (0), the
    // engine's screen width.
    void setScreenWidth(float width) { screenWidth = width; }
    // Tests replace the system clipboard here.
    void setClipboardReader(ClipboardReader reader) { clipboard = std::move(reader); }

private:
    bool handleKey(const InputEvent& event);
    bool handleCharacter(const InputEvent& event);
    void enterLine();
    void browseUp();
    void browseDown();
    void paste();
    float bandWidth() const;

    uint32_t flagBits = 0;
    std::string input;
    std::vector<std::string> historyLines; // oldest first, no limit
    std::deque<std::string> outputLines;   // newest first
    std::vector<std::string> commandNames;
    int32_t historyPosition = 0;
    ClipboardReader clipboard;
    float screenWidth = 0.0f;
};

// The one console, built on first use (hidden, paused, zOrder 1000, with its
// log appender on the root logger) and destroyed at program exit.
Console* mainConsole();

} // namespace wf
