#include "bench/MedianBenchmarks.h"

namespace benchsupport {

MedianReporter::MedianReporter(std::string counterName)
    : ConsoleReporter(OO_Tabular), counter(std::move(counterName)) {}

void MedianReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        auto value = run.counters.find(counter);
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" &&
            value != run.counters.end()) {
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) {
                name += "/" + run.run_name.args;
            }
            found.emplace_back(name, value->second.value);
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

double MedianReporter::median(const std::string& name) const {
    for (const auto& entry : found) {
        if (entry.first == name) {
            return entry.second;
        }
    }
    return 0.0;
}

void runBenchmarks(int argc, char** argv, const std::function<void()>& prepare,
                   MedianReporter& reporter) {
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {&repetitions[0], &aggregates[0]});
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    prepare();
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}

} // namespace benchsupport
