#pragma once
// The main loop on the window toolkit's event loop: posted calls and timers
// run between window events, each through RunLoopCall. Construct it on the
// main thread once the toolkit's application object exists (the
// application object does so in Initialize).

#include <memory>

#include "rtl/MainLoop.h"

class TQtLoop : public TMainLoop {
public:
    TQtLoop();
    ~TQtLoop() override;

    void Post(TCall Call) override;
    TTimerId StartTimer(unsigned IntervalMs, TCall Tick) override;
    void StopTimer(TTimerId Id) override;
    int Run() override;
    void Quit(int ExitCode = 0) override;

    // Runs the window events and posted calls pending now.
    void ProcessPending();
    int TimerCount() const;
    // True while Run runs.
    bool Running() const;

private:
    class TReceiver;
    std::unique_ptr<TReceiver> FReceiver;
};
