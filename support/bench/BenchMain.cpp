// Runs the benchmarks and then prints each INI figure as a ratio to its
// reference: a benchmark named "BM_Ini<Step>" is compared with "BM_Ref<Step>".

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override
    {
        for (const Run& R : Runs)
            if (R.run_type == Run::RT_Iteration && !R.error_occurred)
                Times[R.benchmark_name()] = R.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(Runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nTYIniFile against the reference (ratio of times, lower is better):\n");
        for (const auto& [Name, Time] : Times) {
            if (Name.rfind("BM_Ini", 0) != 0)
                continue;
            auto Ref = Times.find("BM_Ref" + Name.substr(6));
            if (Ref != Times.end() && Ref->second > 0)
                std::printf("  %-24s %6.2f x\n", Name.substr(6).c_str(), Time / Ref->second);
        }
    }

private:
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
