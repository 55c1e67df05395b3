#pragma once
// Owns one handle and closes it when it goes.

#include <utility>

#include "win32/Handles.h"

class TOwnedHandle {
public:
    TOwnedHandle() = default;
    // Null and INVALID_HANDLE_VALUE both mean no handle.
    explicit TOwnedHandle(HANDLE Handle) : FHandle(Handle) {}
    ~TOwnedHandle() { Reset(); }
    TOwnedHandle(TOwnedHandle&& Other) noexcept : FHandle(std::exchange(Other.FHandle, nullptr)) {}
    TOwnedHandle& operator=(TOwnedHandle&& Other) noexcept
    {
        if (this != &Other) {
            Reset();
            FHandle = std::exchange(Other.FHandle, nullptr);
        }
        return *this;
    }

    HANDLE Get() const { return Valid() ? FHandle : nullptr; }
    bool Valid() const { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return Valid(); }

    // Closes the handle held (if any) and takes Handle.
    void Reset(HANDLE Handle = nullptr)
    {
        if (Valid())
            CloseHandle(FHandle);
        FHandle = Handle;
    }

private:
    HANDLE FHandle = nullptr;
};
