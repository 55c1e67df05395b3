// Speed of the device link: a whole download of the 128 blocks over a
// pseudo-terminal against the simulated VTX-7430, with the window's loop
// running as in the program (it sleeps until the port delivers).
//
//   BM_DownloadOverPty   from pressing download (check, image, .CFB file)
//                        to the finish line
//   BM_TransferOverPty   from the device's 'C' to the finish line

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "V7430_p8_src.h"
#include "YVclCtrl/PcUart.h"
#include "editorlink/Vtx7430Device.h"
#include "rtl/MainLoop.h"
#include "vcl/testing/User.h"

namespace {

constexpr unsigned BenchCom = 3;

// A shown editor in a folder of its own, with a titled schedule so that
// the download asks nothing.
class TLinkBench {
public:
    TLinkBench()
    {
        std::string Template = (std::filesystem::temp_directory_path() / "vtx-link-bench-XXXXXX").string();
        if (!::mkdtemp(Template.data()))
            std::abort();
        Folder = Template;
        Previous = std::filesystem::current_path();
        std::filesystem::current_path(Folder);
        InitializeUnitTables();
        Form = NewForm<TForm1>();
        Form1 = Form.get();
        TUser::ShowForm(Form.get());
        for (int Row = 1; Row <= DayTableRows; ++Row)
            Form->StringGrid[1]->SetCells(0, Row, IntToStr(Row % 24));
        ScheduleUntitled = 0;
        CurrentScheduleFile = (Folder / "bench.vsh").string();
        Form->ComboBox[11]->SetItemIndex(static_cast<int>(BenchCom) - 1);
    }
    ~TLinkBench()
    {
        Form.reset();
        Form1 = nullptr;
        TUser::ProcessEvents();
        std::filesystem::current_path(Previous);
        std::error_code Ignored;
        std::filesystem::remove_all(Folder, Ignored);
    }

    // A fresh device and connection, so that no download sees the bytes of
    // the one before.
    void Connect()
    {
        Device = std::make_unique<editorlink::TVtx7430Device>(BenchCom);
        Form->SpeedButton1Click(Form.get());
    }
    // The port closes before its device goes.
    void Disconnect()
    {
        Form->SpeedButton10Click(Form.get());
        Device.reset();
    }

    // Runs the loop until the command has ended; true when it finished.
    bool RunUntilIdle()
    {
        TMainLoop* Loop = MainLoop();
        const TMainLoop::TTimerId Watch = Loop->StartTimer(1, [Loop] {
            if (LinkMode == lm_Idle)
                Loop->Quit();
        });
        Loop->Run();
        Loop->StopTimer(Watch);
        const std::string Last = Form->RichEdit1->Lines()->Strings(Form->RichEdit1->Lines()->Count() - 1);
        return Last == "===> VTX-7430 作息表更新完成 <===";
    }

    TFormPtr<TForm1> Form;
    std::unique_ptr<editorlink::TVtx7430Device> Device;

private:
    std::filesystem::path Folder;
    std::filesystem::path Previous;
};

void BM_DownloadOverPty(benchmark::State& State)
{
    TLinkBench Bench;
    for (auto _ : State) {
        State.PauseTiming();
        Bench.Connect();
        State.ResumeTiming();
        Bench.Form->SpeedButton3Click(Bench.Form.get());
        Bench.Device->Ask();
        const bool Finished = Bench.RunUntilIdle();
        State.PauseTiming();
        if (!Finished || Bench.Device->Image() != std::vector<std::uint8_t>(RomImage, RomImage + RomImageSize))
            State.SkipWithError("the download did not finish with the image on the device");
        Bench.Disconnect();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_DownloadOverPty)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_TransferOverPty(benchmark::State& State)
{
    TLinkBench Bench;
    for (auto _ : State) {
        State.PauseTiming();
        Bench.Connect();
        Bench.Form->SpeedButton3Click(Bench.Form.get());
        State.ResumeTiming();
        Bench.Device->Ask();
        const bool Finished = Bench.RunUntilIdle();
        State.PauseTiming();
        if (!Finished)
            State.SkipWithError("the download did not finish");
        Bench.Disconnect();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_TransferOverPty)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
