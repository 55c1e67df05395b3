#include "vcl/QtLoop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>
#include <atomic>
#include <map>

namespace {

const QEvent::Type CallEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// A posted call travels to the main thread inside an event; the toolkit's
// event queue keeps the order in which they were posted.
class TCallEvent : public QEvent {
public:
    explicit TCallEvent(TMainLoop::TCall ACall) : QEvent(CallEventType), Call(std::move(ACall)) {}
    TMainLoop::TCall Call;
};

} // namespace

// Lives on the main thread: receives the posted calls and owns the timers.
class TQtLoop::TReceiver : public QObject {
public:
    struct TTimer {
        int QtId;
        TCall Tick;
    };

    bool event(QEvent* Event) override
    {
        if (Event->type() != CallEventType)
            return QObject::event(Event);
        RunLoopCall(static_cast<TCallEvent*>(Event)->Call);
        return true;
    }

    void timerEvent(QTimerEvent* Event) override
    {
        auto Found = ByQtId.find(Event->timerId());
        if (Found == ByQtId.end())
            return;
        auto Timer = Timers.find(Found->second);
        if (Timer == Timers.end())
            return;
        // A copy: the tick may stop its own timer.
        TCall Tick = Timer->second.Tick;
        RunLoopCall(Tick);
    }

    void Start(TTimerId Id, unsigned IntervalMs, TCall Tick)
    {
        int QtId = startTimer(static_cast<int>(std::min(IntervalMs, 0x7FFFFFFFu)), Qt::PreciseTimer);
        if (QtId == 0)
            return;
        Timers[Id] = TTimer{QtId, std::move(Tick)};
        ByQtId[QtId] = Id;
    }

    void Stop(TTimerId Id)
    {
        auto Found = Timers.find(Id);
        if (Found == Timers.end())
            return;
        killTimer(Found->second.QtId);
        ByQtId.erase(Found->second.QtId);
        Timers.erase(Found);
    }

    std::map<TTimerId, TTimer> Timers;
    std::map<int, TTimerId> ByQtId;
    std::atomic<TTimerId> NextId{1};
    bool Running = false;
    bool QuitPending = false;
    int PendingExitCode = 0;
};

TQtLoop::TQtLoop() : FReceiver(std::make_unique<TReceiver>()) {}

TQtLoop::~TQtLoop() = default;

void TQtLoop::Post(TCall Call)
{
    QCoreApplication::postEvent(FReceiver.get(), new TCallEvent(std::move(Call)));
}

TMainLoop::TTimerId TQtLoop::StartTimer(unsigned IntervalMs, TCall Tick)
{
    TTimerId Id = FReceiver->NextId++;
    unsigned Interval = std::max(IntervalMs, 1u);
    if (InMainThread())
        FReceiver->Start(Id, Interval, std::move(Tick));
    else
        Post([this, Id, Interval, Tick = std::move(Tick)]() mutable { FReceiver->Start(Id, Interval, std::move(Tick)); });
    return Id;
}

void TQtLoop::StopTimer(TTimerId Id)
{
    if (InMainThread())
        FReceiver->Stop(Id);
    else
        Post([this, Id] { FReceiver->Stop(Id); });
}

int TQtLoop::Run()
{
    if (FReceiver->QuitPending) {
        FReceiver->QuitPending = false;
        return FReceiver->PendingExitCode;
    }
    FReceiver->Running = true;
    int Code = QCoreApplication::exec();
    FReceiver->Running = false;
    FReceiver->QuitPending = false;
    return Code;
}

void TQtLoop::Quit(int ExitCode)
{
    if (!InMainThread()) {
        Post([this, ExitCode] { Quit(ExitCode); });
        return;
    }
    if (FReceiver->Running) {
        QCoreApplication::exit(ExitCode);
    } else {
        FReceiver->QuitPending = true;
        FReceiver->PendingExitCode = ExitCode;
    }
}

void TQtLoop::ProcessPending()
{
    // Calls posted by the calls run here wait for the next pass, as they
    // would in the running loop; two passes take the usual chains along.
    for (int Pass = 0; Pass < 2; ++Pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

bool TQtLoop::Running() const
{
    return FReceiver->Running;
}

int TQtLoop::TimerCount() const
{
    return static_cast<int>(FReceiver->Timers.size());
}
