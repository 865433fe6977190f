#pragma once

#include <objbase.h>

namespace torvane {

// The calling thread's membership of a single-threaded COM apartment, for
// as long as the object lives: the accessible objects of the program's
// controls are handed out through it, and the shell's calls expect it.
class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (joined_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

} // namespace torvane
