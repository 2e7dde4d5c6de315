#include "file_drop.h"

#include "handles.h"
#include "subclass.h"
#include "text.h"

#include <unordered_map>

namespace nq {
namespace {

// What is known of a hooked window: which TFileDrop handles its drops (none
// after the instance let go of a window whose procedure it could not
// restore, see Detach), and the procedure ours passes messages on to. Kept in
// the process, not in window properties, which Wine fetches from its server
// for every message; GWLP_USERDATA stays the control's own.
struct Hooked {
    TFileDrop* Instance = nullptr;
    WNDPROC Previous = nullptr;
};
std::unordered_map<HWND, Hooked>& HookedWindows() {
    static std::unordered_map<HWND, Hooked> windows; // the UI thread's alone
    return windows;
}

TFileDrop* InstanceOf(HWND window) {
    const auto found = HookedWindows().find(window);
    return found == HookedWindows().end() ? nullptr : found->second.Instance;
}

struct DropTraits {
    using Handle = HDROP;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DragFinish(h); }
};
using UniqueDrop = Unique<DropTraits>;

LONG_PTR ProcValue(WNDPROC proc) {
    return reinterpret_cast<LONG_PTR>(proc);
}

WNDPROC PreviousProc(HWND window) {
    const auto found = HookedWindows().find(window);
    return found == HookedWindows().end() ? nullptr : found->second.Previous;
}

} // namespace

TFileDrop::~TFileDrop() {
    Release();
}

void TFileDrop::SetEnableDrop(bool value) {
    if (!dropControl_)
        return;
    enableDrop_ = value;
    DragAcceptFiles(dropControl_, value ? TRUE : FALSE);
}

void TFileDrop::SetDropControl(HWND control) {
    if (control == dropControl_)
        return;
    Release();
    if (!control || !Hook(control))
        return;
    dropControl_ = control;
    SetEnableDrop(true);
}

bool TFileDrop::Hook(HWND control) {
    // Messages of a window reach its own thread only (a handle that is no
    // window has no thread); one drop target per window, since a second would
    // see our procedure as the one to pass messages to.
    if (GetWindowThreadProcessId(control, nullptr) != GetCurrentThreadId() || InstanceOf(control))
        return false;
    // Our procedure may still sit in the window's chain from an earlier hook
    // that a later subclass kept in place: it serves this instance as it is.
    if (PreviousProc(control)) {
        HookedWindows()[control].Instance = this;
        return true;
    }
    const LONG_PTR previous = GetProc(control);
    if (!previous)
        return false;
    HookedWindows()[control] = Hooked{this, reinterpret_cast<WNDPROC>(previous)};
    if (SetProc(control, ProcValue(&HookProc)))
        return true;
    HookedWindows().erase(control);
    return false;
}

void TFileDrop::Detach(HWND window) {
    const auto found = HookedWindows().find(window);
    if (found == HookedWindows().end())
        return;
    found->second.Instance = nullptr;
    // When someone subclassed the window after us, their procedure calls ours
    // as its previous one: putting back the procedure we saved would cut them
    // off. Ours then stays in the chain and passes every message on.
    if (GetProc(window) != ProcValue(&HookProc))
        return;
    SetProc(window, ProcValue(found->second.Previous));
    HookedWindows().erase(found);
}

void TFileDrop::Release() {
    if (!dropControl_)
        return;
    // A handle without our property is no longer the window we hooked (it died
    // unseen or was reused): restore nothing and switch nothing on it.
    if (IsWindow(dropControl_) && InstanceOf(dropControl_) == this) {
        Detach(dropControl_);
        SetEnableDrop(false);
    }
    enableDrop_ = false;
    dropControl_ = nullptr;
}

LRESULT CALLBACK TFileDrop::HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TFileDrop* self = InstanceOf(window);
    const WNDPROC previous = PreviousProc(window);
    if (message == WM_DROPFILES && self) {
        self->HandleDrop(reinterpret_cast<HDROP>(wParam));
        return 0; // self may be gone now
    }
    if (message == WM_NCDESTROY) {
        // The window's last message. Whether a window recreated for the same
        // control is hooked again is the owner's choice: it assigns it as
        // DropControl. Until then the component has no control, so it never
        // touches the dead handle or a window that reuses it.
        if (self)
            self->Release();
        else
            Detach(window);
        HookedWindows().erase(window);
    }
    if (!previous) // cannot happen while our procedure is in the chain
        return DefaultProc(window, message, wParam, lParam);
    return CallProc(previous, window, message, wParam, lParam);
}

void TFileDrop::HandleDrop(HDROP drop) {
    files_.clear();
    {
        UniqueDrop owned(drop);
        const UINT count = drop ? DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) : 0;
        std::vector<wchar_t> buffer(128);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            if (length == 0) // a damaged drop: no path to hand on
                continue;
            if (buffer.size() < length + 1)
                buffer.resize(length + 1);
            const UINT copied =
                DragQueryFileW(drop, i, buffer.data(), static_cast<UINT>(buffer.size()));
            files_.push_back(Utf8FromWide(buffer.data(), copied));
        }
    }
    // A copy, so that the handler may reassign OnDrop or destroy this instance.
    const DropEvent handler = OnDrop;
    if (handler)
        handler(*this);
}

} // namespace nq
