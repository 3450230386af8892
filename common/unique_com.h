#pragma once
// Owners for the Component Object Model: one interface pointer, released once and cleared, and
// the thread's use of COM itself, ended once by whoever started it.
#include <objbase.h>

// Holds one reference; a call that hands out an interface fills it through Put().
template <typename Interface>
class UniqueCom {
public:
    UniqueCom() = default;
    UniqueCom(const UniqueCom&) = delete;
    UniqueCom& operator=(const UniqueCom&) = delete;
    ~UniqueCom() { reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    void reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }
    // Releases what was held and gives the place for a call to fill: typed for most calls,
    // untyped for CoCreateInstance.
    Interface** Put() {
        reset();
        return &pointer_;
    }
    void** PutUntyped() { return reinterpret_cast<void**>(Put()); }

private:
    Interface* pointer_ = nullptr;
};

// Starts COM on the calling thread for the lifetime of the object. A thread that already uses
// COM in the other apartment model keeps it, and COM is usable all the same.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};
