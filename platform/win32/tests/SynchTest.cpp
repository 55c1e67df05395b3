#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "win32/LastError.h"
#include "win32/Synch.h"
#include "win32/SysTime.h"

namespace {

using TClock = std::chrono::steady_clock;

long long MsSince(TClock::time_point Start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - Start).count();
}

LARGE_INTEGER RelativeMs(long long Ms)
{
    return LARGE_INTEGER{-Ms * 10000};
}

LARGE_INTEGER SystemTimeInMs(long long Ms)
{
    SYSTEMTIME Now;
    GetSystemTime(&Now);
    FILETIME File;
    EXPECT_TRUE(SystemTimeToFileTime(&Now, &File));
    const LONGLONG Units = (static_cast<LONGLONG>(File.dwHighDateTime) << 32) | File.dwLowDateTime;
    return LARGE_INTEGER{Units + Ms * 10000};
}

// An event or timer handle closed at the end of the scope.
struct TOwned {
    HANDLE H;
    ~TOwned() { CloseHandle(H); }
};

} // namespace

TEST(Events, ManualResetStaysSignalledAutoResetReleasesOneWait)
{
    TOwned Manual{CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    TOwned Auto{CreateEvent(nullptr, FALSE, TRUE, nullptr)};
    ASSERT_NE(Manual.H, nullptr);
    ASSERT_NE(Auto.H, nullptr);

    EXPECT_EQ(WaitForSingleObject(Manual.H, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(Manual.H));
    EXPECT_EQ(WaitForSingleObject(Manual.H, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(Manual.H, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ResetEvent(Manual.H));
    EXPECT_EQ(WaitForSingleObject(Manual.H, 0), WAIT_TIMEOUT);

    EXPECT_EQ(WaitForSingleObject(Auto.H, 0), WAIT_OBJECT_0) << "created signalled";
    EXPECT_EQ(WaitForSingleObject(Auto.H, 0), WAIT_TIMEOUT) << "the first wait reset it";
}

TEST(Events, NamedObjectsAreNotOffered)
{
    EXPECT_EQ(CreateEvent(nullptr, TRUE, FALSE, "name"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CreateWaitableTimer(nullptr, TRUE, "name"), nullptr);
}

TEST(Waits, AnyOfSeveralGivesTheFirstSignalledIndex)
{
    TOwned A{CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    TOwned B{CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    TOwned C{CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    HANDLE Handles[3] = {A.H, B.H, C.H};
    EXPECT_EQ(WaitForMultipleObjects(3, Handles, FALSE, 10), WAIT_TIMEOUT);
    SetEvent(C.H);
    EXPECT_EQ(WaitForMultipleObjects(3, Handles, FALSE, INFINITE), WAIT_OBJECT_0 + 2);
    SetEvent(B.H);
    EXPECT_EQ(WaitForMultipleObjects(3, Handles, FALSE, INFINITE), WAIT_OBJECT_0 + 1);
}

TEST(Waits, AnotherThreadsSetEventEndsAnInfiniteWait)
{
    TOwned E{CreateEvent(nullptr, FALSE, FALSE, nullptr)};
    std::thread Setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        SetEvent(E.H);
    });
    EXPECT_EQ(WaitForSingleObject(E.H, INFINITE), WAIT_OBJECT_0);
    Setter.join();
}

TEST(Waits, TimeOutComesNoEarlierThanAsked)
{
    TOwned E{CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    const auto Start = TClock::now();
    EXPECT_EQ(WaitForSingleObject(E.H, 30), WAIT_TIMEOUT);
    EXPECT_GE(MsSince(Start), 30);
}

TEST(Waits, BadArgumentsFail)
{
    TOwned E{CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    HANDLE Closed = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(CloseHandle(Closed));
    EXPECT_FALSE(CloseHandle(Closed)) << "closing twice";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    EXPECT_EQ(WaitForSingleObject(Closed, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, 0), WAIT_FAILED);
    HANDLE Two[2] = {E.H, E.H};
    EXPECT_EQ(WaitForMultipleObjects(2, Two, TRUE, 0), WAIT_FAILED) << "waiting for all is not offered";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WaitForMultipleObjects(0, Two, FALSE, 0), WAIT_FAILED);
    EXPECT_FALSE(SetEvent(nullptr));
}

TEST(WaitableTimers, RelativeAndAbsoluteDueTimesFireNoEarlier)
{
    for (bool Absolute : {false, true}) {
        SCOPED_TRACE(Absolute ? "absolute" : "relative");
        TOwned T{CreateWaitableTimer(nullptr, TRUE, nullptr)};
        ASSERT_NE(T.H, nullptr);
        EXPECT_EQ(WaitForSingleObject(T.H, 0), WAIT_TIMEOUT) << "starts not signalled";
        // The absolute time is computed from a millisecond system time.
        const auto Start = TClock::now();
        const LARGE_INTEGER Due = Absolute ? SystemTimeInMs(60) : RelativeMs(60);
        ASSERT_TRUE(SetWaitableTimer(T.H, &Due, 0, nullptr, nullptr, FALSE));
        EXPECT_EQ(WaitForSingleObject(T.H, INFINITE), WAIT_OBJECT_0);
        EXPECT_GE(MsSince(Start), Absolute ? 59 : 60);
        EXPECT_EQ(WaitForSingleObject(T.H, 0), WAIT_OBJECT_0) << "a manual-reset timer stays signalled";
    }
}

TEST(WaitableTimers, SettingAgainMakesItNotSignalledAndCancelDisarms)
{
    TOwned T{CreateWaitableTimer(nullptr, TRUE, nullptr)};
    LARGE_INTEGER Now = RelativeMs(0);
    ASSERT_TRUE(SetWaitableTimer(T.H, &Now, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(WaitForSingleObject(T.H, 1000), WAIT_OBJECT_0);

    // Armed far away, then disarmed: not signalled, and it stays so.
    LARGE_INTEGER Far = RelativeMs(24LL * 3600 * 1000);
    ASSERT_TRUE(SetWaitableTimer(T.H, &Far, 0, nullptr, nullptr, FALSE));
    ASSERT_TRUE(CancelWaitableTimer(T.H));
    EXPECT_EQ(WaitForSingleObject(T.H, 0), WAIT_TIMEOUT);

    LARGE_INTEGER Soon = RelativeMs(30);
    ASSERT_TRUE(SetWaitableTimer(T.H, &Soon, 0, nullptr, nullptr, FALSE));
    ASSERT_TRUE(CancelWaitableTimer(T.H));
    EXPECT_EQ(WaitForSingleObject(T.H, 100), WAIT_TIMEOUT) << "a cancelled timer does not fire";
}

TEST(WaitableTimers, ArmingWhileAnotherThreadWaitsWakesItAtTheDueTime)
{
    TOwned T{CreateWaitableTimer(nullptr, FALSE, nullptr)};
    TOwned Never{CreateEvent(nullptr, TRUE, FALSE, nullptr)};
    HANDLE Handles[2] = {Never.H, T.H};
    DWORD Result = WAIT_FAILED;
    std::thread Waiter([&] { Result = WaitForMultipleObjects(2, Handles, FALSE, INFINITE); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    LARGE_INTEGER Soon = RelativeMs(20);
    ASSERT_TRUE(SetWaitableTimer(T.H, &Soon, 0, nullptr, nullptr, FALSE));
    Waiter.join();
    EXPECT_EQ(Result, WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForSingleObject(T.H, 0), WAIT_TIMEOUT) << "an auto-reset timer released one wait";
}

TEST(WaitableTimers, CompletionRoutinesAreNotOffered)
{
    TOwned T{CreateWaitableTimer(nullptr, TRUE, nullptr)};
    LARGE_INTEGER Due = RelativeMs(1);
    EXPECT_FALSE(SetWaitableTimer(T.H, &Due, 0, [](LPVOID, DWORD, DWORD) {}, nullptr, FALSE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

namespace {

struct TFileTimeCase {
    SYSTEMTIME Time;
    bool Valid;
    unsigned long long Units;
};

unsigned long long UnitsOf(const FILETIME& F)
{
    return (static_cast<unsigned long long>(F.dwHighDateTime) << 32) | F.dwLowDateTime;
}

} // namespace

TEST(SystemTime, ToFileTime)
{
    const TFileTimeCase Cases[] = {
        {{1601, 1, 0, 1, 0, 0, 0, 0}, true, 0ULL},
        {{1970, 1, 0, 1, 0, 0, 0, 0}, true, 116444736000000000ULL},
        {{1970, 1, 0, 1, 0, 0, 1, 5}, true, 116444736010050000ULL},
        {{2000, 2, 0, 29, 23, 59, 59, 999}, true, 125963423999990000ULL},
        {{2001, 2, 0, 29, 0, 0, 0, 0}, false, 0},
        {{1600, 12, 0, 31, 0, 0, 0, 0}, false, 0},
        {{2024, 13, 0, 1, 0, 0, 0, 0}, false, 0},
        {{2024, 4, 0, 31, 0, 0, 0, 0}, false, 0},
        {{2024, 1, 0, 1, 24, 0, 0, 0}, false, 0},
        {{2024, 1, 0, 1, 0, 0, 0, 1000}, false, 0},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.Time.wYear << "-" << Case.Time.wMonth << "-" << Case.Time.wDay);
        FILETIME F{};
        EXPECT_EQ(SystemTimeToFileTime(&Case.Time, &F) != FALSE, Case.Valid);
        if (Case.Valid)
            EXPECT_EQ(UnitsOf(F), Case.Units);
        else
            EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
}

TEST(SystemTime, IsTheSystemClockInUtc)
{
    using namespace std::chrono;
    const long long Before = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    SYSTEMTIME Now;
    GetSystemTime(&Now);
    FILETIME F;
    ASSERT_TRUE(SystemTimeToFileTime(&Now, &F));
    const long long Ms = static_cast<long long>((UnitsOf(F) - 116444736000000000ULL) / 10000);
    EXPECT_GE(Ms, Before - 1);
    EXPECT_LE(Ms, Before + 60000);
    EXPECT_LE(Now.wDayOfWeek, 6);
}
