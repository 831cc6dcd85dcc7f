// Owners for Win32 handles: each closes its handle exactly once, none can be copied, and each
// knows which value of its kind means "no handle" (CreateFileW gives INVALID_HANDLE_VALUE,
// CreateFontIndirectW a null handle).
#pragma once

#include <windows.h>

#include <utility>

namespace qv {

template <typename Traits>
class UniqueHandle {
  public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Type get() const { return handle_; }
    bool valid() const { return Traits::valid(handle_); }
    explicit operator bool() const { return valid(); }
    void reset(Type handle = Traits::none()) {
        if (valid()) Traits::close(handle_);
        handle_ = handle;
    }
    Type release() { return std::exchange(handle_, Traits::none()); }

  private:
    Type handle_ = Traits::none();
};

// Files and folders opened with CreateFileW.
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type none() { return INVALID_HANDLE_VALUE; }
    static bool valid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void close(Type h) { CloseHandle(h); }
};

// Directory searches from FindFirstFileExW, closed with FindClose (not CloseHandle).
struct FindHandleTraits {
    using Type = HANDLE;
    static Type none() { return INVALID_HANDLE_VALUE; }
    static bool valid(Type h) { return h != INVALID_HANDLE_VALUE; }
    static void close(Type h) { FindClose(h); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;

}  // namespace qv
