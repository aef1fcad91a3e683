#pragma once
// What the native benchmark programs share: five repetitions of every
// benchmark with only their aggregates printed, and each benchmark's median of
// one counter kept for the figures the program prints at the end.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace benchsupport {

class MedianReporter : public benchmark::ConsoleReporter {
public:
    explicit MedianReporter(std::string counterName);

    void ReportRuns(const std::vector<Run>& runs) override;

    // (name, median) in the order reported; the name carries "/ARG" when the
    // benchmark was given arguments.
    const std::vector<std::pair<std::string, double>>& medians() const { return found; }
    // 0 when that benchmark reported no median.
    double median(const std::string& name) const;

private:
    std::string counter;
    std::vector<std::pair<std::string, double>> found;
};

// Runs every registered benchmark through `reporter`. The defaults come before
// the program's own arguments, so a later argument overrides them. `prepare`
// runs once after the arguments are read and before any measurement.
void runBenchmarks(int argc, char** argv, const std::function<void()>& prepare,
                   MedianReporter& reporter);

} // namespace benchsupport
