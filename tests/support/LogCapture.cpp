#include "tests/support/LogCapture.h"

#include "ph/Log.h"

#include <log4cplus/appender.h>
#include <log4cplus/logger.h>
#include <log4cplus/spi/loggingevent.h>

#include <filesystem>
#include <random>

namespace testsupport {

struct LogCapture::Sink : log4cplus::Appender {
    explicit Sink(std::shared_ptr<std::vector<Line>> target) : lines(std::move(target)) {}
    ~Sink() override { destructorImpl(); }
    void close() override { closed = true; }
    void append(const log4cplus::spi::InternalLoggingEvent& event) override {
        lines->emplace_back(event.getLogLevel(), event.getMessage());
    }
    std::shared_ptr<std::vector<Line>> lines;
};

LogCapture::LogCapture(int32_t threshold)
    : captured(std::make_shared<std::vector<Line>>()), savedThreshold(ph::logThreshold) {
    static int captures = 0;
    appenderName = "testCapture" + std::to_string(++captures);
    if (!ph::isLoggingSetUp()) {
        // Keep the log file out of the working folder.
        const std::string file = "capture-" + std::to_string(std::random_device()()) + ".log";
        ph::logFileName = (std::filesystem::temp_directory_path() / file).string();
        ph::setUpLogging();
    }
    log4cplus::SharedAppenderPtr sink(new Sink(captured));
    sink->setName(appenderName);
    log4cplus::Logger::getRoot().addAppender(sink);
    ph::logThreshold = threshold;
}

LogCapture::~LogCapture() {
    ph::logThreshold = savedThreshold;
    log4cplus::Logger::getRoot().removeAppender(appenderName);
}

std::vector<std::string> LogCapture::messages() const {
    std::vector<std::string> texts;
    for (const Line& line : *captured) {
        texts.push_back(line.second);
    }
    return texts;
}

} // namespace testsupport
