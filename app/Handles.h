// Scoped owners of the window system's handles: each closes its handle once, and moves.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, BOOL(WINAPI* close)(Handle)>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() {
        if (handle_) close(handle_);
        handle_ = nullptr;
    }

private:
    Handle handle_ = nullptr;
};

using OwnedIcon = Owned<HICON, ::DestroyIcon>;
using OwnedGdiObject = Owned<HGDIOBJ, ::DeleteObject>;

// Selects an object into a device context and puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~Selection() { ::SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
