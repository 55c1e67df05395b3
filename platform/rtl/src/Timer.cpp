#include "rtl/Timer.h"

#include "rtl/StoredProperties.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer()
{
    StopTicks();
}

void TTimer::SetInterval(unsigned Value)
{
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetEnabled(bool Value)
{
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value)
{
    FOnTimer = std::move(Value);
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::DefineProperties(TPropertyList& List)
{
    TComponent::DefineProperties(List);
    List.Add("Enabled", [this](const TStoredValue& V) { SetEnabled(V.AsBool()); });
    List.Add("Interval", [this](const TStoredValue& V) { SetInterval(V.AsUnsigned()); });
    List.AddEvent<TNotifyEvent>("OnTimer", [this](TNotifyEvent E) { SetOnTimer(std::move(E)); });
}

void TTimer::StopTicks()
{
    if (FTimerId != 0 && FLoop)
        FLoop->StopTimer(FTimerId);
    FTimerId = 0;
    FLoop = nullptr;
}

void TTimer::UpdateTimer()
{
    StopTicks();
    // While the stored properties are being applied the timer waits for
    // Loaded, so a form's timer starts once, with all its settings.
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning))
        return;
    if (!FEnabled || FInterval == 0 || !FOnTimer)
        return;
    FLoop = MainLoop();
    if (!FLoop)
        return;
    FTimerId = FLoop->StartTimer(FInterval, [this] {
        if (FOnTimer)
            FOnTimer(this);
    });
}
