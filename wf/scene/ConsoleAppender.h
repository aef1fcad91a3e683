#pragma once
// The log appender that feeds every message of the program log, without the
// file's layout, into the main console. The root logger owns it.

#include <log4cplus/appender.h>

class ConsoleAppender : public log4cplus::Appender {
public:
    ConsoleAppender() = default;
    ~ConsoleAppender() override;

    void close() override;

protected:
    void append(const log4cplus::spi::InternalLoggingEvent& event) override;
};
