// TYIniFile on a schedule-sized file: section GLOBAL with 21 keys and twelve
// day sections of 560 keys (80 rows of seven fields). Each step runs once
// through TYIniFile and once through the reference.
//
// BM_IniLoadOneSection loads files of one section with 5,000 to 1,000,000
// keys: a load that grows in proportion to the file keeps its items per
// second the same at every size, apart from what the caches make of the
// larger sizes (the reference shows how much that is).
//
// The files live in a fresh folder under $TMPDIR (default /tmp), removed at
// the end. A save of TYIniFile writes a temporary file, syncs it to disk and
// renames it; the reference only writes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "YVclUtil/Tyinifile.h"

using namespace YVclUtil;

namespace {

struct TEntry {
    std::string Section, Key, Value;
};

// The schedule in file order.
const std::vector<TEntry>& Schedule()
{
    static const std::vector<TEntry> Entries = [] {
        std::vector<TEntry> E;
        for (int I = 0; I < 21; ++I)
            E.push_back({"GLOBAL", "GLOBAL_KEY_" + std::to_string(I), std::to_string(I * 3)});
        const char* Days[] = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN", "SP1", "SP2", "SP3", "SP4", "SP5"};
        const char* Fields[] = {"SCH_SH_", "SCH_SM_", "SCH_EH_", "SCH_EM_", "SCH_TK_", "SCH_CH_", "SCH_VL_"};
        for (const char* Day : Days)
            for (int Row = 1; Row <= 80; ++Row)
                for (int F = 0; F < 7; ++F)
                    E.push_back({Day, Fields[F] + std::to_string(Row), std::to_string((Row * 7 + F) % 60)});
        return E;
    }();
    return Entries;
}

// A fresh folder under $TMPDIR, removed with all its files when the program
// ends (from main or through exit()).
class TScratchFolder {
public:
    TScratchFolder()
    {
        const char* Tmp = std::getenv("TMPDIR");
        Path = std::string(Tmp && *Tmp ? Tmp : "/tmp") + "/support-bench-XXXXXX";
        if (!mkdtemp(Path.data()))
            std::abort();
    }
    ~TScratchFolder()
    {
        std::error_code Ignored;
        std::filesystem::remove_all(Path, Ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string Path;
};

// Made when the first benchmark that needs it runs.
const std::string& Folder()
{
    static const TScratchFolder Scratch;
    return Scratch.Path;
}

const std::string& ScheduleFile()
{
    static const std::string Name = [] {
        std::string N = Folder() + "/schedule.vsh";
        std::FILE* F = std::fopen(N.c_str(), "wb");
        std::string Current;
        for (const TEntry& E : Schedule()) {
            if (E.Section != Current) {
                if (!Current.empty())
                    std::fputs("\r\n", F);
                std::fprintf(F, "[%s]\r\n", E.Section.c_str());
                Current = E.Section;
            }
            std::fprintf(F, "%s=%s\r\n", E.Key.c_str(), E.Value.c_str());
        }
        std::fputs("\r\n", F);
        std::fclose(F);
        return N;
    }();
    return Name;
}

// A file of one section with Keys keys, made once per size.
const std::string& OneSectionFile(int Keys)
{
    static std::unordered_map<int, std::string> Names;
    std::string& N = Names[Keys];
    if (N.empty()) {
        N = Folder() + "/one-section-" + std::to_string(Keys) + ".vsh";
        std::FILE* F = std::fopen(N.c_str(), "wb");
        std::fputs("[DAY]\r\n", F);
        for (int I = 0; I < Keys; ++I)
            std::fprintf(F, "SCH_KEY_%d=%d\r\n", I, I % 60);
        std::fputs("\r\n", F);
        std::fclose(F);
    }
    return N;
}

// ---------------------------------------------------------------------------
// The reference: a plain line parser into one map keyed by section and key.

class TReferenceIni {
public:
    void Load(const std::string& Name)
    {
        Values.clear();
        std::FILE* F = std::fopen(Name.c_str(), "rb");
        if (!F)
            return;
        char Line[8192];
        std::string Section;
        while (std::fgets(Line, sizeof Line, F)) {
            std::string_view L(Line);
            while (!L.empty() && (L.back() == '\n' || L.back() == '\r' || L.back() == ' '))
                L.remove_suffix(1);
            while (!L.empty() && (L.front() == ' ' || L.front() == '\t'))
                L.remove_prefix(1);
            if (L.empty() || L.front() == '#')
                continue;
            if (L.front() == '[') {
                size_t Close = L.find(']');
                if (Close != std::string_view::npos)
                    Section.assign(L.substr(1, Close - 1));
                continue;
            }
            size_t Equal = L.find('=');
            if (Equal == std::string_view::npos || Equal == 0 || Equal + 1 == L.size())
                continue;
            Values[Composite(Section, L.substr(0, Equal))] = std::string(L.substr(Equal + 1));
        }
        std::fclose(F);
    }

    std::string Read(const std::string& Section, const std::string& Key, const std::string& Default) const
    {
        auto It = Values.find(Composite(Section, Key));
        return It == Values.end() ? Default : It->second;
    }

    void Write(const std::string& Section, const std::string& Key, const std::string& Value)
    {
        Values[Composite(Section, Key)] = Value;
    }

    void Save(const std::string& Name) const
    {
        std::FILE* F = std::fopen(Name.c_str(), "wb");
        for (const auto& [Key, Value] : Values)
            std::fprintf(F, "%s=%s\r\n", Key.c_str(), Value.c_str());
        std::fclose(F);
    }

private:
    static std::string Composite(std::string_view Section, std::string_view Key)
    {
        std::string K;
        K.reserve(Section.size() + Key.size() + 1);
        K.append(Section).append(1, '\n').append(Key);
        return K;
    }

    std::unordered_map<std::string, std::string> Values;
};

// ---------------------------------------------------------------------------

void BM_IniLoad(benchmark::State& State)
{
    const std::string& Name = ScheduleFile();
    for (auto _ : State) {
        TYIniFile Ini(Name);
        benchmark::DoNotOptimize(Ini.Sections->Count);
    }
    State.SetItemsProcessed(State.iterations() * static_cast<long long>(Schedule().size()));
}

void BM_IniLoadOneSection(benchmark::State& State)
{
    const int Keys = static_cast<int>(State.range(0));
    const std::string& Name = OneSectionFile(Keys);
    for (auto _ : State) {
        TYIniFile Ini(Name);
        benchmark::DoNotOptimize(Ini.Sections->Count);
    }
    State.SetItemsProcessed(State.iterations() * Keys);
}

void BM_RefLoad(benchmark::State& State)
{
    const std::string& Name = ScheduleFile();
    for (auto _ : State) {
        TReferenceIni Ref;
        Ref.Load(Name);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * static_cast<long long>(Schedule().size()));
}

void BM_RefLoadOneSection(benchmark::State& State)
{
    const int Keys = static_cast<int>(State.range(0));
    const std::string& Name = OneSectionFile(Keys);
    for (auto _ : State) {
        TReferenceIni Ref;
        Ref.Load(Name);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * Keys);
}

void BM_IniReadAll(benchmark::State& State)
{
    TYIniFile Ini(ScheduleFile());
    for (auto _ : State)
        for (const TEntry& E : Schedule())
            benchmark::DoNotOptimize(Ini.ReadString(E.Section, E.Key, ""));
    State.SetItemsProcessed(State.iterations() * static_cast<long long>(Schedule().size()));
}

void BM_RefReadAll(benchmark::State& State)
{
    TReferenceIni Ref;
    Ref.Load(ScheduleFile());
    for (auto _ : State)
        for (const TEntry& E : Schedule())
            benchmark::DoNotOptimize(Ref.Read(E.Section, E.Key, ""));
    State.SetItemsProcessed(State.iterations() * static_cast<long long>(Schedule().size()));
}

void BM_IniWriteAll(benchmark::State& State)
{
    TYIniFile Ini(ScheduleFile());
    for (auto _ : State)
        for (const TEntry& E : Schedule())
            Ini.WriteString(E.Section, E.Key, E.Value);
    Ini.Modified = 0;
    State.SetItemsProcessed(State.iterations() * static_cast<long long>(Schedule().size()));
}

void BM_RefWriteAll(benchmark::State& State)
{
    TReferenceIni Ref;
    Ref.Load(ScheduleFile());
    for (auto _ : State)
        for (const TEntry& E : Schedule())
            Ref.Write(E.Section, E.Key, E.Value);
    State.SetItemsProcessed(State.iterations() * static_cast<long long>(Schedule().size()));
}

void BM_IniSave(benchmark::State& State)
{
    TYIniFile Ini(ScheduleFile());
    Ini.pw_FileName(Folder() + "/saved-ini.vsh");
    for (auto _ : State) {
        Ini.Modified = 1;
        if (!Ini.UpdateFile())
            State.SkipWithError("save failed");
    }
}

void BM_RefSave(benchmark::State& State)
{
    TReferenceIni Ref;
    Ref.Load(ScheduleFile());
    const std::string Name = Folder() + "/saved-ref.vsh";
    for (auto _ : State)
        Ref.Save(Name);
}

} // namespace

BENCHMARK(BM_IniLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IniLoadOneSection)->Arg(5000)->Arg(20000)->Arg(80000)->Arg(320000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefLoadOneSection)->Arg(5000)->Arg(20000)->Arg(80000)->Arg(320000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IniReadAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefReadAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IniWriteAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefWriteAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IniSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefSave)->Unit(benchmark::kMicrosecond);
