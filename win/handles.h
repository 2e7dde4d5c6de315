// Ownership of Win32 handles: each wrapper closes its handle with the call that
// belongs to it, exactly once, when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace nq {

// Traits give the empty value and the close call of one kind of handle.
template <typename Traits> class Unique {
  public:
    using Handle = typename Traits::Handle;

    Unique() = default;
    explicit Unique(Handle h) : h_(h) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : h_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~Unique() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Empty(); }
    Handle release() { return std::exchange(h_, Traits::Empty()); }
    void reset(Handle h = Traits::Empty()) {
        if (h_ != Traits::Empty())
            Traits::Close(h_);
        h_ = h;
    }

  private:
    Handle h_ = Traits::Empty();
};

struct FileTraits { // CreateFile: INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct KernelTraits { // CreateFileMapping, events, processes: nullptr on failure
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct ViewTraits {
    using Handle = const void*;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { UnmapViewOfFile(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct GlobalTraits {
    using Handle = HGLOBAL;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { GlobalFree(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct FontMemTraits { // AddFontMemResourceEx
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { RemoveFontMemResourceEx(h); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
struct CursorTraits { // CreateIconIndirect cursors, not the shared system ones
    using Handle = HCURSOR;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyCursor(h); }
};

using UniqueFile = Unique<FileTraits>;
using UniqueKernelHandle = Unique<KernelTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueView = Unique<ViewTraits>;
using UniqueRegKey = Unique<RegKeyTraits>;
using UniqueGlobal = Unique<GlobalTraits>;
using UniqueGdiObject = Unique<GdiObjectTraits>;
using UniqueFontMem = Unique<FontMemTraits>;
using UniqueMenu = Unique<MenuTraits>;
using UniqueCursor = Unique<CursorTraits>;

// Holds a global memory block locked for as long as it lives.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_)
            GlobalUnlock(block_);
    }
    void* data() const { return data_; }

  private:
    HGLOBAL block_;
    void* data_;
};

} // namespace nq
