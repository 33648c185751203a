// One move-only owner for each kind of handle the engine opens: it closes
// its handle once, on every path. Each kind says what "nothing open" is for
// it (null for a registry key, INVALID_HANDLE_VALUE for a search or a
// device, 0 or less for a controller), so the two are never confused.
#pragma once

#include <utility>

template <typename Kind>
class UniqueHandle {
public:
    using Handle = typename Kind::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    bool IsOpen() const { return Kind::IsOpen(handle_); }

    // Closes what it holds, then holds `handle`.
    void Reset(Handle handle = Kind::Empty()) {
        if (Kind::IsOpen(handle_)) Kind::Close(handle_);
        handle_ = handle;
    }

    Handle Release() { return std::exchange(handle_, Kind::Empty()); }

private:
    Handle handle_ = Kind::Empty();
};
