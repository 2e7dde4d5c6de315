#include "file_drop.h"

#include "handles.h"

namespace nq {
namespace {

// The hooked window carries two properties. The instance one says which
// TFileDrop handles its drops; the previous-procedure one lets our procedure
// pass messages on, also after the instance has let go of a window whose
// procedure it could not restore (see Detach). GWLP_USERDATA stays the
// control's own.
constexpr const char* kInstanceProp = "NimbQuillbox.FileDrop.Instance";
constexpr const char* kPreviousProp = "NimbQuillbox.FileDrop.PreviousProc";

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
    return reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropA(window, kPreviousProp)));
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
    if (GetWindowThreadProcessId(control, nullptr) != GetCurrentThreadId() ||
        GetPropA(control, kInstanceProp) || !SetPropA(control, kInstanceProp, this))
        return false;
    // Our procedure may still sit in the window's chain from an earlier hook
    // that a later subclass kept in place: it serves this instance as it is.
    if (PreviousProc(control))
        return true;
    const LONG_PTR previous = GetWindowLongPtrA(control, GWLP_WNDPROC);
    if (previous && SetPropA(control, kPreviousProp, reinterpret_cast<HANDLE>(previous)) &&
        SetWindowLongPtrA(control, GWLP_WNDPROC, ProcValue(&HookProc)))
        return true;
    RemovePropA(control, kPreviousProp);
    RemovePropA(control, kInstanceProp);
    return false;
}

void TFileDrop::Detach(HWND window) {
    RemovePropA(window, kInstanceProp);
    // When someone subclassed the window after us, their procedure calls ours
    // as its previous one: putting back the procedure we saved would cut them
    // off. Ours then stays in the chain and passes every message on.
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) != ProcValue(&HookProc))
        return;
    SetWindowLongPtrA(window, GWLP_WNDPROC, ProcValue(PreviousProc(window)));
    RemovePropA(window, kPreviousProp);
}

void TFileDrop::Release() {
    if (!dropControl_)
        return;
    // A handle without our property is no longer the window we hooked (it died
    // unseen or was reused): restore nothing and switch nothing on it.
    if (IsWindow(dropControl_) && GetPropA(dropControl_, kInstanceProp) == this) {
        Detach(dropControl_);
        SetEnableDrop(false);
    }
    enableDrop_ = false;
    dropControl_ = nullptr;
}

LRESULT CALLBACK TFileDrop::HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TFileDrop*>(GetPropA(window, kInstanceProp));
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
        RemovePropA(window, kPreviousProp);
    }
    if (!previous) // cannot happen while our procedure is in the chain
        return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

void TFileDrop::HandleDrop(HDROP drop) {
    files_.clear();
    {
        UniqueDrop owned(drop);
        const UINT count = drop ? DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) : 0;
        std::vector<char> buffer(128);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileA(drop, i, nullptr, 0);
            if (length == 0) // a damaged drop: no path to hand on
                continue;
            if (buffer.size() < length + 1)
                buffer.resize(length + 1);
            const UINT copied =
                DragQueryFileA(drop, i, buffer.data(), static_cast<UINT>(buffer.size()));
            files_.emplace_back(buffer.data(), copied);
        }
    }
    // A copy, so that the handler may reassign OnDrop or destroy this instance.
    const DropEvent handler = OnDrop;
    if (handler)
        handler(*this);
}

} // namespace nq
