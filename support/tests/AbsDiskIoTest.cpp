// TYAbsDiskIO on disk images mapped to drive letters in this process only
// (win32/testing/ScopedDrives.h): no real disk is touched. Every close on
// the NT family waits about 3.1 s, so each case keeps to one object where it
// can; the cases run in parallel under ctest.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "MessageBoxRecorder.h"
#include "YVclUtil/Tyabsdiskio.h"
#include "win32/Debug.h"
#include "win32/Version.h"
#include "win32/testing/ScopedDrives.h"

using namespace YVclUtil;

namespace {

constexpr unsigned Sectors = 64;

bool HasPattern(const std::vector<unsigned char>& Data, unsigned FirstSector)
{
    for (size_t I = 0; I < Data.size(); ++I)
        if (Data[I] != TScopedDrives::PatternByte(FirstSector * 512ull + I))
            return false;
    return true;
}

// Drive C: is a folder with a disk image of 64 sectors.
class AbsDisk : public ::testing::Test {
protected:
    void SetUp() override { Image = Drives.MapImage('C', Sectors); }

    TScopedDrives Drives;
    std::string Image;
};

class AbsDiskDriveText : public AbsDisk, public ::testing::WithParamInterface<const char*> {};

} // namespace

TEST_P(AbsDiskDriveText, OpensDriveCAndUpperCasesTheCallersText)
{
    std::string Text = GetParam();
    std::vector<char> Buffer(Text.begin(), Text.end());
    Buffer.push_back('\0');
    TYAbsDiskIO Disk;
    ASSERT_EQ(Disk.AbsOpenDisk(Buffer.data(), false), 0);
    EXPECT_EQ(Disk.pr_DriveNumber(), 3u);
    EXPECT_FALSE(Disk.pr_IsPhyDisk());
    EXPECT_EQ(Disk.pr_LockCount(), 1);
    for (char& C : Text)
        C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    EXPECT_STREQ(Buffer.data(), Text.c_str());
}

INSTANTIATE_TEST_SUITE_P(Texts, AbsDiskDriveText, ::testing::Values("c", "C:", "c:\\"),
                         [](const auto& Info) {
                             std::string Name;
                             for (const char* C = Info.param; *C; ++C)
                                 Name += *C == ':' ? "Colon" : *C == '\\' ? "Backslash" : std::string(1, *C);
                             return Name;
                         });

TEST_F(AbsDisk, TextsThatAreNoDriveGive2)
{
    TYAbsDiskIO Disk;
    const struct { const char* Text; const char* After; } Cases[] = {
        {"cd", "CD"}, {"C/", "C/"}, {"1:", "1:"}, {"", ""}, {"c:\\x", "C:\\X"}, {"C:/", "C:/"}, {":", ":"}, {"@:", "@:"}};
    for (const auto& C : Cases) {
        std::vector<char> Buffer(C.Text, C.Text + std::strlen(C.Text) + 1);
        EXPECT_EQ(Disk.AbsOpenDisk(Buffer.data(), false), 2) << C.Text;
        EXPECT_STREQ(Buffer.data(), C.After);
    }
    EXPECT_EQ(Disk.AbsOpenDisk(nullptr, true), 2);
}

TEST_F(AbsDisk, PhysicalRequestsStopBeforeTheLastSector)
{
    TYAbsDiskIO Disk;
    char Drive[] = "C";
    ASSERT_EQ(Disk.AbsOpenDisk(Drive, true), 0);
    EXPECT_TRUE(Disk.pr_IsPhyDisk());
    EXPECT_EQ(Disk.pr_BytesPerSector(), 512u);
    EXPECT_EQ(Disk.pr_LastSector(), Sectors - 1);
    EXPECT_EQ(Disk.pr_TracksPerCylinder(), 255u);
    EXPECT_EQ(Disk.pr_SectorsPerTrack(), 63u);

    std::vector<unsigned char> Data(3 * 512);
    EXPECT_EQ(Disk.AbsReadDisk(60, 3, Data.data()), 0) << "60 + 3 = LastSector";
    EXPECT_TRUE(HasPattern(Data, 60));
    EXPECT_EQ(Disk.AbsReadDisk(61, 3, Data.data()), 5);
    EXPECT_EQ(Disk.AbsWriteDisk(61, 3, Data.data()), 5);
    EXPECT_EQ(Disk.AbsReadDisk(0xFFFFFFFFu, 2, Data.data()), 5) << "first + count must not wrap round";

    std::vector<unsigned char> Written(2 * 512);
    for (size_t I = 0; I < Written.size(); ++I)
        Written[I] = static_cast<unsigned char>(I * 13 + 5);
    EXPECT_EQ(Disk.AbsWriteDisk(10, 2, Written.data()), 0);
    std::vector<unsigned char> Back(2 * 512);
    EXPECT_EQ(Disk.AbsReadDisk(10, 2, Back.data()), 0);
    EXPECT_EQ(Back, Written);

    // A buffer that the sectors do not fit is refused before anything moves.
    std::vector<unsigned char> Small(512, 0xAA);
    EXPECT_EQ(Disk.AbsReadDisk(0, 2, Small.data(), Small.size()), 4);
    EXPECT_EQ(Small, std::vector<unsigned char>(512, 0xAA));
    EXPECT_EQ(Disk.AbsWriteDisk(20, 2, Small.data(), Small.size()), 4);
    EXPECT_EQ(Disk.AbsReadDisk(0, 1, Small.data(), Small.size()), 0);
    EXPECT_TRUE(HasPattern(Small, 0));

    EXPECT_EQ(Disk.AbsCloseDisk(), 0);
    const std::vector<unsigned char> Bytes = TScopedDrives::Contents(Image);
    EXPECT_TRUE(std::equal(Written.begin(), Written.end(), Bytes.begin() + 10 * 512));
    EXPECT_TRUE(HasPattern(std::vector<unsigned char>(Bytes.begin() + 20 * 512, Bytes.begin() + 22 * 512), 20))
        << "the refused write wrote nothing";
}

TEST_F(AbsDisk, VolumeRequestsReachTheLastSector)
{
    TYAbsDiskIO Disk;
    char Drive[] = "C:";
    ASSERT_EQ(Disk.AbsOpenDisk(Drive, false), 0);
    EXPECT_EQ(Disk.pr_FirstSector(), 0u);
    EXPECT_EQ(Disk.pr_SectorCount(), Sectors);
    std::vector<unsigned char> Data(4 * 512);
    EXPECT_EQ(Disk.AbsReadDisk(60, 4, Data.data()), 0) << "60 + 4 = SectorCount";
    EXPECT_TRUE(HasPattern(Data, 60));
    EXPECT_EQ(Disk.AbsReadDisk(60, 5, Data.data()), 5);
    EXPECT_EQ(Disk.AbsReadDisk(0, 0, Data.data()), 0) << "nothing asked, nothing moved";

    char Again[] = "C";
    EXPECT_EQ(Disk.AbsOpenDisk(Again, true), 1) << "an open object is closed first";
    EXPECT_FALSE(Disk.pr_IsPhyDisk());
    EXPECT_EQ(Disk.AbsReadDisk(63, 1, Data.data()), 0) << "the open volume is still there";
}

TEST_F(AbsDisk, ALockedVolumeCannotBeOpenedTwice)
{
    TYAbsDiskIO First;
    TYAbsDiskIO Second;
    char Drive[] = "C";
    ASSERT_EQ(First.AbsOpenDisk(Drive, true), 0);
    EXPECT_EQ(Second.AbsOpenDisk(Drive, false), 1);
    EXPECT_EQ(Second.pr_LockCount(), 0);
}

TEST(AbsDiskPositions, NtPositionsEndAt2GBAndNeverWrapRound)
{
    TScopedDrives Drives;
    const unsigned long long Size = 5ull << 30;
    const std::string Image = Drives.MapSparseImage('D', Sectors, Size);
    TYAbsDiskIO Disk;
    char Drive[] = "D";
    ASSERT_EQ(Disk.AbsOpenDisk(Drive, false), 0);
    ASSERT_EQ(Disk.pr_SectorCount(), Size / 512);
    std::vector<unsigned char> Data(512, 0x5A);
    const unsigned At2GB = 0x80000000u / 512;
    EXPECT_EQ(Disk.AbsReadDisk(At2GB - 1, 1, Data.data()), 0) << "the last sector below 2 GB";
    EXPECT_EQ(Disk.AbsReadDisk(At2GB, 1, Data.data()), 1);
    // 4 GB is sector 0 again in 32 bits: nothing may be read or written there.
    const unsigned At4GB = 0x800000u;
    std::fill(Data.begin(), Data.end(), 0x5A);
    EXPECT_EQ(Disk.AbsReadDisk(At4GB, 1, Data.data()), 1);
    EXPECT_EQ(Data, std::vector<unsigned char>(512, 0x5A));
    EXPECT_EQ(Disk.AbsWriteDisk(At4GB, 1, Data.data()), 1);
    // 4 GB + 512 bytes in one request is 512 bytes in 32 bits.
    EXPECT_EQ(Disk.AbsReadDisk(0, At4GB + 1, Data.data()), 1);
    EXPECT_EQ(Disk.AbsCloseDisk(), 0);
    EXPECT_TRUE(HasPattern(TScopedDrives::Contents(Image, 512), 0)) << "sector 0 was not written";
}

TEST(AbsDiskClose, ANeverOpenedObjectStillWaitsForTheSystem)
{
    TYAbsDiskIO Disk;
    EXPECT_TRUE(Disk.pr_IsWinNT());
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_EQ(Disk.AbsCloseDisk(), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(3100));
}

// The older family's devices do not exist on Linux.
TEST(AbsDiskOlderFamily, EveryOpenFailsWith3)
{
    TScopedDrives Drives;
    Drives.MapImage('C', Sectors);
    std::vector<std::string> Lines;
    SetDebugSink([&](const char* Text) { Lines.push_back(Text); });
    const DWORD Previous = SetReportedPlatformId(VER_PLATFORM_WIN32_WINDOWS);
    {
        TYAbsDiskIO Disk;
        EXPECT_FALSE(Disk.pr_IsWinNT());
        char Drive[] = "c:";
        EXPECT_EQ(Disk.AbsOpenDisk(Drive, true), 3);
        EXPECT_EQ(Disk.AbsOpenDisk(Drive, false), 3);
        EXPECT_EQ(Disk.pr_DriveNumber(), 3u);
        std::vector<unsigned char> Data(512);
        EXPECT_EQ(Disk.AbsReadDisk(0, 1, Data.data()), 1) << "nothing is open";
        const auto Start = std::chrono::steady_clock::now();
        EXPECT_EQ(Disk.AbsCloseDisk(), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(3000))
            << "no NT settling wait on this family";
    }
    SetReportedPlatformId(Previous);
    SetDebugSink(nullptr);
    EXPECT_NE(std::find(Lines.begin(), Lines.end(), "\r\nYW9xPDsk: Can not perform ForceMediaChanged !!!"),
              Lines.end());
}

TEST(AbsDiskUnknownPlatform, ShowsItsBoxAndRefusesToOpen)
{
    TMessageBoxRecorder Recorder;
    const DWORD Previous = SetReportedPlatformId(7);
    {
        TYAbsDiskIO Disk;
        char Drive[] = "C";
        EXPECT_EQ(Disk.AbsOpenDisk(Drive, false), 1);
        char Bad[] = "CD";
        EXPECT_EQ(Disk.AbsOpenDisk(Bad, false), 2);
        std::vector<unsigned char> Data(512);
        EXPECT_EQ(Disk.AbsReadDisk(0, 1, Data.data()), 1);
        EXPECT_EQ(Disk.AbsCloseDisk(), 0);
    }
    SetReportedPlatformId(Previous);
    ASSERT_EQ(Recorder.Boxes.size(), 1u);
    EXPECT_EQ(Recorder.Boxes[0].Caption, "TYAbsDiskIO");
    EXPECT_EQ(Recorder.Boxes[0].Text, "Err: Can not get the PlatformID of Windows !!!");
}
