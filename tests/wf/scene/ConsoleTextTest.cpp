#include "tests/support/LogCapture.h"
#include "wf/scene/Console.h"
#include "wf/scene/InputEvent.h"

#include "ph/Log.h"

#include "ph/Pointer.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

typedef std::deque<std::string> Lines;

class ConsoleText : public testing::Test {
protected:
    // Answers whether the console handled the key.
    bool press(int32_t key, int32_t character = 0, int32_t modifiers = 0) {
        wf::InputEvent e;
        e.kind = wf::InputEvent::KeyDown;
        e.key = key;
        e.character = character;
        e.modifiers = modifiers;
        return console->keyDown(&e);
    }
    void type(const std::string& text) {
        for (char c : text) {
            press(0, c);
        }
    }

    ph::Pointer<wf::Console> console = ph::adopt(new wf::Console("MainConsole"));
};

const int32_t Backspace = 0x08, Tab = 0x09, Enter = 0x0D, Up = 0x26, Down = 0x28, V = 0x56;

TEST_F(ConsoleText, MessagesSplitAtEveryLineFeedNewestFirst) {
    struct Case {
        const char* name;
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"TwoLines", "a\nb", {"b", "a"}},
        {"TrailingLineFeed", "text\n", {"", "text"}},
        {"EmptyMessage", "", {""}},
        {"EmptyPiecesBetween", "a\n\nb", {"b", "", "a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ph::Pointer<wf::Console> fresh = ph::adopt(new wf::Console("c"));
        fresh->addText(c.text);
        EXPECT_EQ(fresh->lines(), c.lines);
    }
}

TEST_F(ConsoleText, KeepsOnlyTheNewest25Lines) {
    for (int i = 1; i <= 26; ++i) {
        console->addText("message " + std::to_string(i));
    }
    ASSERT_EQ(console->lines().size(), 25u);
    EXPECT_EQ(console->lines().front(), "message 26");
    EXPECT_EQ(console->lines().back(), "message 2");
    console->addText("x\ny\nz");
    EXPECT_EQ(console->lines().size(), 25u) << "a many-line message trims too";
    EXPECT_EQ(console->lines().back(), "message 5");
}

TEST_F(ConsoleText, EnterRecordsTheTrimmedLineOnce) {
    type("  help ");
    EXPECT_EQ(console->inputLine(), "  help ");
    EXPECT_FALSE(press(Enter)) << "Enter goes on to the application";
    EXPECT_EQ(console->history(), std::vector<std::string>{"help"});
    EXPECT_EQ(console->inputLine(), "");
    press(Enter);
    type("help");
    press(Enter);
    EXPECT_EQ(console->history(), std::vector<std::string>{"help"})
        << "neither the empty line nor the repeat is recorded";
    EXPECT_EQ(console->historyIndex(), 1);
}

TEST_F(ConsoleText, UpAndDownBrowseTheHistoryWithinItsBounds) {
    console->submitLine("a");
    console->submitLine("b");
    struct Step {
        int32_t key;
        const char* line;
        int32_t index;
    };
    const Step steps[] = {{Up, "b", 1},   {Up, "a", 0},  {Up, "a", 0},
                          {Down, "b", 1}, {Down, "", 2}, {Down, "", 2}};
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << (s.key == Up ? "Up" : "Down") << " to " << s.line);
        EXPECT_TRUE(press(s.key));
        EXPECT_EQ(console->inputLine(), s.line);
        EXPECT_EQ(console->historyIndex(), s.index);
    }
}

TEST_F(ConsoleText, TabCompletesWithTheFirstMatchingCommand) {
    console->commands() = {"load", "list"};
    struct Case {
        const char* input;
        const char* completed;
    };
    const Case cases[] = {{"l", "load "}, {"li", "list "}, {"x", "x"}, {"", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        console->setInputLine(c.input);
        EXPECT_TRUE(press(Tab));
        EXPECT_EQ(console->inputLine(), c.completed);
    }
}

TEST_F(ConsoleText, TypedCharactersExcludeTheToggleKeysAndControls) {
    struct Case {
        int32_t character;
        bool typed;
    };
    const Case cases[] = {{' ', true},  {'!', true}, {'}', true},  {'`', false},
                          {'~', false}, {31, false}, {127, false}, {0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.character);
        console->setInputLine("");
        EXPECT_EQ(press(0, c.character), c.typed);
        EXPECT_EQ(console->inputLine().size(), c.typed ? 1u : 0u);
    }
}

TEST_F(ConsoleText, BackspaceRemovesOneCharacterAndPassesTheKeyOn) {
    type("ab");
    EXPECT_FALSE(press(Backspace));
    EXPECT_EQ(console->inputLine(), "a");
    press(Backspace);
    press(Backspace);
    EXPECT_EQ(console->inputLine(), "");
}

TEST_F(ConsoleText, CtrlVPastesAndPlainVTypes) {
    std::string clipboard = "pasted";
    console->setClipboardReader([&](std::string* text) {
        if (clipboard.empty()) {
            return false;
        }
        *text = clipboard;
        return true;
    });
    type("> ");
    EXPECT_TRUE(press(V, 'v', wf::InputEvent::CtrlModifier));
    EXPECT_EQ(console->inputLine(), "> pasted");
    EXPECT_TRUE(press(V, 'v'));
    EXPECT_EQ(console->inputLine(), "> pastedv");
    clipboard.clear();
    EXPECT_TRUE(press(V, 0x16, wf::InputEvent::CtrlModifier)) << "an empty clipboard still counts";
    EXPECT_EQ(console->inputLine(), "> pastedv");
}

TEST_F(ConsoleText, ConfirmModeAnswersYesOnlyForYAndRecordsNothing) {
    console->setConsoleFlags(wf::Console::ConfirmMode);
    EXPECT_TRUE(console->submitLine("y"));
    EXPECT_FALSE(console->submitLine("yes"));
    EXPECT_TRUE(console->history().empty());
}

TEST_F(ConsoleText, ResumeClearsTheInputLineOnlyWhenPaused) {
    type("abc");
    console->resume();
    EXPECT_EQ(console->inputLine(), "abc");
    console->pause();
    console->resume();
    EXPECT_EQ(console->inputLine(), "");
}

} // namespace

namespace {

TEST(MainConsole, StartsHiddenAndPausedOnTopAndCollectsLogMessages) {
    wf::Console* console = wf::mainConsole();
    EXPECT_EQ(wf::mainConsole(), console);
    EXPECT_EQ(console->name(), "MainConsole");
    EXPECT_EQ(console->zOrder(), 1000);
    EXPECT_FALSE(console->isVisible());
    EXPECT_TRUE(console->isPaused());

    testsupport::LogCapture log(0);
    PH_LOG(0) << "first\nsecond";
    ASSERT_GE(console->lines().size(), 2u);
    EXPECT_EQ(console->lines()[0], "second") << "the message alone, without time and level";
    EXPECT_EQ(console->lines()[1], "first");
}

} // namespace
