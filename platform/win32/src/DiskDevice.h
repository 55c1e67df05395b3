#pragma once
// An open volume or whole disk (private to win32): a block device or a disk
// image file, read and written at a position of its own.

#include <memory>
#include <mutex>
#include <utility>

#include "KernelObject.h"
#include "rtl/System.h"
#include "win32/DiskIo.h"

namespace win32_detail {

// Owns one file descriptor.
class TFileDescriptor {
public:
    TFileDescriptor() = default;
    explicit TFileDescriptor(int Fd) : FFd(Fd) {}
    ~TFileDescriptor() { Reset(); }
    TFileDescriptor(TFileDescriptor&& Other) noexcept : FFd(std::exchange(Other.FFd, -1)) {}
    TFileDescriptor& operator=(TFileDescriptor&& Other) noexcept
    {
        if (this != &Other) {
            Reset();
            FFd = std::exchange(Other.FFd, -1);
        }
        return *this;
    }
    int Get() const { return FFd; }
    bool Valid() const { return FFd >= 0; }
    void Reset(int Fd = -1);

private:
    int FFd = -1;
};

class TDiskDevice : public TKernelObject {
public:
    // Opens "\\.\L:" or "\\.\PHYSICALDRIVE<n>"; null with Error set when it
    // cannot.
    static std::shared_ptr<TDiskDevice> Open(LPCSTR Name, DWORD Access, bool WriteThrough, DWORD& Error);
    void OnClose() override;

    BOOL Read(void* Buffer, DWORD Count, DWORD* BytesRead);
    BOOL Write(const void* Buffer, DWORD Count, DWORD* BytesWritten);
    BOOL Seek(long long Distance, DWORD Method, unsigned long long& Position);
    BOOL Control(DWORD Code, void* Out, DWORD OutSize, DWORD* Returned);

    // What the device is; filled in by Open.
    struct TLayout {
        bool IsVolume = false;
        bool IsImage = false;
        AnsiString Path;                       // the Linux file opened
        DWORD BytesPerSector = 512;
        unsigned long long DiskSize = 0;       // the whole disk's, in bytes
        unsigned long long Start = 0;          // a volume's start on its disk, in bytes
        unsigned long long Length = 0;         // the size of what this handle reaches, in bytes
        DWORD DeviceNumber = 0;
        DWORD PartitionNumber = 0;
        bool Removable = false;
    };

private:
    TDiskDevice(TFileDescriptor Fd, TLayout Layout, DWORD Access);

    BOOL Transfer(void* Buffer, DWORD Count, DWORD* Moved, bool Writing);
    BOOL Lock();
    BOOL Unlock();

    std::mutex FLock;
    TFileDescriptor FFd;
    TFileDescriptor FExclusive;   // held while a block device volume is locked
    bool FLocked = false;
    const TLayout FLayout;
    const DWORD FAccess;
    unsigned long long FPosition = 0;
};

} // namespace win32_detail
