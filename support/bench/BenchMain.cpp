// Runs the benchmarks and then prints each INI figure as a ratio to its
// reference: a benchmark named "BM_Ini<Step>" is compared with "BM_Ref<Step>".

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Hands every report to the display reporter the library would use by
// itself, so that --benchmark_format, --benchmark_color and output that is
// not a terminal come out as in any other benchmark, and keeps the times for
// the ratios. The ratios are for reading: they follow the console table only.
class TRatioReporter : public benchmark::BenchmarkReporter {
public:
    TRatioReporter() : Display(benchmark::CreateDefaultDisplayReporter()) {}

    bool ReportContext(const Context& Context) override { return Display->ReportContext(Context); }

    void ReportRuns(const std::vector<Run>& Runs) override
    {
        for (const Run& R : Runs)
            if (R.run_type == Run::RT_Iteration && !R.error_occurred)
                Times[R.benchmark_name()] = R.GetAdjustedRealTime();
        Display->ReportRuns(Runs);
    }

    void Finalize() override
    {
        Display->Finalize();
        if (!dynamic_cast<benchmark::ConsoleReporter*>(Display.get()))
            return;
        std::ostream& Out = Display->GetOutputStream();
        Out << "\nTYIniFile against the reference (ratio of times, lower is better):\n";
        for (const auto& [Name, Time] : Times) {
            if (Name.rfind("BM_Ini", 0) != 0)
                continue;
            auto Ref = Times.find("BM_Ref" + Name.substr(6));
            if (Ref == Times.end() || Ref->second <= 0)
                continue;
            char Line[80];
            std::snprintf(Line, sizeof Line, "  %-24s %6.2f x\n", Name.substr(6).c_str(), Time / Ref->second);
            Out << Line;
        }
    }

private:
    std::unique_ptr<benchmark::BenchmarkReporter> Display;
    std::map<std::string, double> Times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();
    return 0;
}
