// Owners for COM: an interface pointer, and COM initialised on a thread.
// Apart from handles.h, which every window includes, so that only what uses
// COM pulls in its headers.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <objbase.h>

#include <memory>

namespace win32 {

// A COM interface pointer released when it leaves scope.
template <typename Interface>
struct ComReleaser {
    void operator()(Interface* p) const noexcept { p->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComReleaser<Interface>>;

// COM initialised on this thread for the life of this value.
class ComApartment {
public:
    ComApartment() noexcept : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized_)
            CoUninitialize();
    }

private:
    bool initialized_;
};

}  // namespace win32
