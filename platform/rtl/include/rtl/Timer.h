#pragma once
// The timer component: OnTimer every Interval milliseconds while Enabled,
// on the main thread, through the installed loop.

#include "rtl/Classes.h"
#include "rtl/MainLoop.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    unsigned Interval() const { return FInterval; }
    bool Enabled() const { return FEnabled; }
    const TNotifyEvent& OnTimer() const { return FOnTimer; }

    // Each of these restarts the period: the next tick comes one full
    // Interval after the change. An Interval of 0 stops the ticks.
    void SetInterval(unsigned Value);
    void SetEnabled(bool Value);
    void SetOnTimer(TNotifyEvent Value);

    // True while ticks are scheduled with the loop.
    bool Running() const { return FTimerId != 0; }

    void Loaded() override;
    void DefineProperties(TPropertyList& List) override;

private:
    void UpdateTimer();
    void StopTicks();

    unsigned FInterval = 1000;
    bool FEnabled = true;
    TNotifyEvent FOnTimer;
    TMainLoop* FLoop = nullptr;
    TMainLoop::TTimerId FTimerId = 0;
};
