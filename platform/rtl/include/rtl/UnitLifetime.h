#pragma once
// A unit's initialization and finalization: a namespace-scope object of
// this class runs Initialize before main and Finalize after main returns,
// as the class library's unit start and end sections do.

class TUnitLifetime {
public:
    using TStep = void (*)();
    TUnitLifetime(TStep Initialize, TStep Finalize) : FFinalize(Finalize) { Initialize(); }
    ~TUnitLifetime() { FFinalize(); }
    TUnitLifetime(const TUnitLifetime&) = delete;
    TUnitLifetime& operator=(const TUnitLifetime&) = delete;

private:
    TStep FFinalize;
};
