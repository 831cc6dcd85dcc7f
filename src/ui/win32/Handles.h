// Owners for the GDI handles and COM pointers the windows keep: each frees its handle exactly
// once, and none can be copied.
#pragma once

#include <windows.h>

#include <objbase.h>

#include "platform/Win32Handle.h"

namespace qv::ui {

// GDI objects, owned through the one handle template of the program.
template <typename Handle>
struct GdiObjectTraits {
    using Type = Handle;
    static Type none() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { DeleteObject(h); }
};
// A memory device context, from CreateCompatibleDC.
struct MemoryDcTraits {
    using Type = HDC;
    static Type none() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { DeleteDC(h); }
};
// A device context of the whole screen, from GetDC(nullptr).
struct ScreenDcTraits {
    using Type = HDC;
    static Type none() { return nullptr; }
    static bool valid(Type h) { return h != nullptr; }
    static void close(Type h) { ReleaseDC(nullptr, h); }
};

using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;

class ScreenDc : public UniqueHandle<ScreenDcTraits> {
  public:
    ScreenDc() : UniqueHandle(GetDC(nullptr)) {}
};

// A memory device context compatible with `dc` (with the screen when none is given), for drawing
// into a bitmap or measuring text.
class MemoryDc : public UniqueHandle<MemoryDcTraits> {
  public:
    explicit MemoryDc(HDC dc = nullptr) : UniqueHandle(CreateCompatibleDC(dc)) {}
};

// Selects a GDI object into a device context and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM interface pointer that releases its reference.
template <typename T>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    // For the out-parameter of a creating call; drops what was held.
    T** out() {
        reset();
        return &ptr_;
    }
    void** out_void() { return reinterpret_cast<void**>(out()); }
    void reset() {
        if (ptr_ != nullptr) ptr_->Release();
        ptr_ = nullptr;
    }

  private:
    T* ptr_ = nullptr;
};

// COM for the user-interface thread, for the life of the program.
class ComApartment {
  public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

}  // namespace qv::ui
