#include "wf/scene/ConsoleAppender.h"

#include "wf/scene/Console.h"

#include <log4cplus/spi/loggingevent.h>

// Appenders shut themselves down before their base goes.
ConsoleAppender::~ConsoleAppender() {
    destructorImpl();
}

void ConsoleAppender::close() {
    closed = true;
}

void ConsoleAppender::append(const log4cplus::spi::InternalLoggingEvent& event) {
    wf::mainConsole()->addText(event.getMessage());
}
