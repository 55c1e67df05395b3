// TYStrTab: memory per stored 10-byte string, and the time of Add and Delete.

#include <benchmark/benchmark.h>

#include <vector>

#include "YVclUtil/Tystrtab.h"

using namespace YVclUtil;

namespace {

constexpr int Batch = 100000;
const char Ten[] = "0123456789";

// Bytes of block memory per string: one 32-byte cell plus its share of the
// block header.
void BM_StrTabMemoryPer10ByteString(benchmark::State& State)
{
    double BytesPerString = 0;
    for (auto _ : State) {
        TYStrTab Tab;
        for (int I = 0; I < Batch; ++I)
            benchmark::DoNotOptimize(Tab.Add(Ten));
        BytesPerString = static_cast<double>(Tab.BlockCount) * YSTRTAB_BLOCKSIZE / Batch;
    }
    State.counters["bytes_per_string"] = BytesPerString;
}

void BM_StrTabAdd(benchmark::State& State)
{
    TYStrTab Tab;
    int Stored = 0;
    for (auto _ : State) {
        benchmark::DoNotOptimize(Tab.Add(Ten));
        if (++Stored == Batch) {
            State.PauseTiming();
            Tab.DeleteAll();
            Stored = 0;
            State.ResumeTiming();
        }
    }
}

void BM_StrTabDelete(benchmark::State& State)
{
    TYStrTab Tab;
    std::vector<_YSTRTABCELL*> Cells;
    for (auto _ : State) {
        if (Cells.empty()) {
            State.PauseTiming();
            for (int I = 0; I < Batch; ++I)
                Cells.push_back(Tab.Add(Ten));
            State.ResumeTiming();
        }
        benchmark::DoNotOptimize(Tab.Delete(Cells.back()));
        Cells.pop_back();
    }
}

} // namespace

BENCHMARK(BM_StrTabMemoryPer10ByteString)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrTabAdd);
BENCHMARK(BM_StrTabDelete);
