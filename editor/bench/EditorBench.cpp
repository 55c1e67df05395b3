// Speed of the schedule editor on the offscreen platform: start-up to the
// first painted window, the checker on twelve full tables, Save and Load of
// a full schedule through the File menu's commands, and the device image.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "V7430_p8_src.h"
#include "rtl/DateTime.h"
#include "vcl/testing/Responder.h"
#include "vcl/testing/User.h"

namespace {

// A working folder of its own, holding the shipped language file.
class TWorkFolder {
public:
    TWorkFolder()
    {
        std::string Template = (std::filesystem::temp_directory_path() / "vtx-editor-bench-XXXXXX").string();
        if (!::mkdtemp(Template.data()))
            std::abort();
        Folder = Template;
        Previous = std::filesystem::current_path();
        std::filesystem::copy_file(EDITOR_LANGUAGE_FILE, Folder / "VTX7430.INI");
        std::filesystem::current_path(Folder);
    }
    ~TWorkFolder()
    {
        std::filesystem::current_path(Previous);
        std::error_code Ignored;
        std::filesystem::remove_all(Folder, Ignored);
    }
    std::string PathOf(const std::string& Name) const { return (Folder / Name).string(); }

private:
    std::filesystem::path Folder;
    std::filesystem::path Previous;
};

TFormPtr<TForm1> ShownEditor()
{
    InitializeUnitTables();
    TFormPtr<TForm1> Form = NewForm<TForm1>();
    Form1 = Form.get();
    TUser::ShowUntilPainted(Form.get());
    return Form;
}

// Twelve full tables, each entry ten minutes after the one before, in
// reverse row order so that the checker has all of its sorting to do.
void FillTables(TForm1& Form)
{
    for (int Day = 1; Day <= DayTableCount; ++Day) {
        TStringGrid* Grid = Form.StringGrid[Day];
        for (int Row = 1; Row <= DayTableRows; ++Row) {
            const int Start = (DayTableRows - Row) * 15;
            const AnsiString Texts[7] = {IntToStr(Start / 60),       IntToStr(Start % 60), IntToStr(Start / 60),
                                         IntToStr(Start % 60 + 10), IntToStr(Row % 100),  IntToStr(Row % 9),
                                         IntToStr(Row % 15)};
            for (int Field = 0; Field < 7; ++Field)
                Grid->SetCells(EntryColumns[Field], Row, Texts[Field]);
        }
    }
}

// 366 non-action days, one for every date of a leap year.
void FillNonActionDays(TForm1& Form)
{
    int Row = 1;
    for (int Month = 1; Month <= 12; ++Month)
        for (int Day = 1; Day <= DaysInAMonth(2024, static_cast<unsigned short>(Month)); ++Day) {
            Form.StringGrid[14]->SetCells(0, Row, IntToStr(Month));
            Form.StringGrid[14]->SetCells(1, Row, IntToStr(Day));
            ++Row;
        }
}

void BM_StartUpToFirstPaint(benchmark::State& State)
{
    TWorkFolder Work;
    for (auto _ : State) {
        TFormPtr<TForm1> Form = ShownEditor();
        State.PauseTiming();
        Form.reset();
        Form1 = nullptr;
        TUser::ProcessEvents();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CheckTwelveFullTables(benchmark::State& State)
{
    TWorkFolder Work;
    TFormPtr<TForm1> Form = ShownEditor();
    for (auto _ : State) {
        State.PauseTiming();
        FillTables(*Form);
        State.ResumeTiming();
        Form->SpeedButton13Click(Form.get());
    }
    if (Form->StringGrid[12]->Cells(0, 1) != "0")
        State.SkipWithError("the check did not sort");
}
BENCHMARK(BM_CheckTwelveFullTables)->Unit(benchmark::kMillisecond);

// A shown editor in a folder of its own, holding a full schedule: twelve
// full tables and 366 non-action days.
struct TFullSchedule {
    TFullSchedule() : Form(ShownEditor())
    {
        FillTables(*Form);
        FillNonActionDays(*Form);
    }
    TWorkFolder Work;
    TFormPtr<TForm1> Form;
    TTestResponder Responder;
};

void BM_SaveFullSchedule(benchmark::State& State)
{
    TFullSchedule Full;
    const std::string Path = Full.Work.PathOf("full.vsh");
    for (auto _ : State) {
        Full.Responder.AnswerFileDialog(Path);
        if (FileExists(Path))
            Full.Responder.AnswerMessageBox(IDYES);
        Full.Form->Save1Click(Full.Form.get());
    }
    State.counters["bytes"] = static_cast<double>(std::filesystem::file_size(Path));
}
BENCHMARK(BM_SaveFullSchedule)->Unit(benchmark::kMillisecond);

void BM_LoadFullSchedule(benchmark::State& State)
{
    TFullSchedule Full;
    const std::string Path = Full.Work.PathOf("full.vsh");
    Full.Responder.AnswerFileDialog(Path);
    Full.Form->Save1Click(Full.Form.get());
    for (auto _ : State) {
        Full.Responder.AnswerMessageBox(IDYES);
        Full.Responder.AnswerFileDialog(Path);
        Full.Form->Load1Click(Full.Form.get());
    }
    if (Full.Form->StringGrid[14]->Cells(1, 366) != "31" || ScheduleUntitled != 0)
        State.SkipWithError("the load did not fill the schedule");
}
BENCHMARK(BM_LoadFullSchedule)->Unit(benchmark::kMillisecond);

void BM_BuildRomImage(benchmark::State& State)
{
    TFullSchedule Full;
    const std::string Path = Full.Work.PathOf("full.CFB");
    for (auto _ : State)
        BuildRomImage(Path);
    if (std::filesystem::file_size(Path) != RomImageSize)
        State.SkipWithError("no image file");
}
BENCHMARK(BM_BuildRomImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application->Initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Form1 = nullptr;
    Application->Finalize();
    return 0;
}
