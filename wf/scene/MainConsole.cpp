#include "wf/scene/Console.h"
#include "wf/scene/ConsoleAppender.h"

#include <log4cplus/logger.h>

namespace wf {

namespace {

const char* const ConsoleName = "MainConsole";
const char* const AppenderName = "consoleLogger";

// The console in static storage; its creator's reference is never released.
// At exit the appender leaves the root logger first, so that a message
// logged during the rest of the shut-down never reaches a destroyed console.
struct MainConsoleHolder {
    Console console{ConsoleName};

    MainConsoleHolder() {
        console.setZOrder(Console::ZOrder);
        console.pause();
        console.setVisible(false);
        log4cplus::SharedAppenderPtr appender(new ConsoleAppender());
        appender->setName(AppenderName);
        log4cplus::Logger::getRoot().addAppender(appender);
    }

    ~MainConsoleHolder() { log4cplus::Logger::getRoot().removeAppender(AppenderName); }
};

} // namespace

Console* mainConsole() {
    static MainConsoleHolder holder;
    return &holder.console;
}

} // namespace wf
