// Handles of the bench's Win32 programs, each closed by its own function when it goes.
#pragma once

#include <windows.h>

namespace bench {

template <BOOL(WINAPI* Close)(HANDLE)>
class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) Close(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

  private:
    HANDLE h_;
};

using FindHandle = Handle<::FindClose>;    // FindFirstFileExW
using FileHandle = Handle<::CloseHandle>;  // CreateFileW

}  // namespace bench
