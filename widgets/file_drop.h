// TFileDrop lets one control accept files dragged from the shell: it takes over
// the control's window procedure, collects the paths of each drop and raises
// OnDrop. Everything runs on the thread that owns the control.
#pragma once

#include <windows.h>

#include <shellapi.h> // HDROP

#include <functional>
#include <string>
#include <vector>

namespace nq {

class TFileDrop {
  public:
    using DropEvent = std::function<void(TFileDrop& sender)>;

    // No control, no files, dropping off.
    TFileDrop() = default;
    // Removes the hook from the control, if any, then switches dropping off.
    ~TFileDrop();
    // The control's window points back at this instance.
    TFileDrop(const TFileDrop&) = delete;
    TFileDrop& operator=(const TFileDrop&) = delete;

    // Full paths of the last drop (UTF-8), in the order the shell reports them.
    const std::vector<std::string>& Files() const { return files_; }
    // Number of files of the last drop; 0 before the first drop.
    int FileCount() const { return static_cast<int>(files_.size()); }

    // Whether the control accepts dropped files.
    bool EnableDrop() const { return enableDrop_; }
    // Stores value and tells the system (DragAcceptFiles). Without a control
    // the value is ignored and EnableDrop stays as it was. Switching off keeps
    // the hook in place.
    void SetEnableDrop(bool value);

    // The control that receives drops; nullptr when there is none. It becomes
    // nullptr by itself when the control's window is destroyed: the owner
    // assigns the new window if it recreates the control.
    HWND DropControl() const { return dropControl_; }
    // nullptr: unhooks the current control and switches dropping off. The
    // current control: nothing. Another window: releases the current control,
    // hooks the new one and switches dropping on. A window that cannot be
    // hooked (not a window, owned by another thread, or already held by
    // another TFileDrop) leaves the component without a control.
    void SetDropControl(HWND control);

    // Raised after each drop, also one of zero files, once Files is filled.
    // It runs inside the control's WM_DROPFILES, must not throw, and may
    // destroy this instance.
    DropEvent OnDrop;

  private:
    static LRESULT CALLBACK HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Detach(HWND window);
    bool Hook(HWND control);
    void Release();
    void HandleDrop(HDROP drop);

    std::vector<std::string> files_;
    bool enableDrop_ = false;
    HWND dropControl_ = nullptr; // the hooked window
};

} // namespace nq
