// What the Wine benchmarks that open the client window share: an owned
// window, a scratch folder under the temporary folder, copies of folder
// trees, prompts that refuse and report, and the message pump.
#pragma once

#include "frm_middle.h"
#include "handles.h"
#include "prompts.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace bench {

struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
using UniqueWindow = nq::Unique<WindowTraits>;

// Removes folder (ending in a backslash) with everything in it.
inline void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    {
        nq::UniqueFind find(FindFirstFileA((folder + "*").c_str(), &entry));
        if (find) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(folder + name + "\\");
                else
                    DeleteFileA((folder + name).c_str());
            } while (FindNextFileA(find.get(), &entry));
        }
    }
    RemoveDirectoryA(folder.c_str());
}

// Copies the folder from into the new folder to (both ending in a
// backslash), with everything in it; false when anything was not copied.
inline bool CopyTree(const std::string& from, const std::string& to) {
    if (!CreateDirectoryA(to.c_str(), nullptr))
        return false;
    WIN32_FIND_DATAA entry;
    nq::UniqueFind find(FindFirstFileA((from + "*").c_str(), &entry));
    if (!find)
        return false;
    bool copied = true;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied &= CopyTree(from + name + "\\", to + name + "\\");
        else
            copied &= CopyFileA((from + name).c_str(), (to + name).c_str(), TRUE) != FALSE;
    } while (FindNextFileA(find.get(), &entry));
    return copied;
}

// Writes text as the whole content of the file at path; false when it could not.
inline bool WriteTextFile(const std::string& path, const std::string& text) {
    nq::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// The folder of this program, ending in a backslash.
inline std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Makes the new folder programFolder (ending in a backslash) a program folder
// with the Default skin, copied from the Skins folder the build stages beside
// this program, and settings that place the client window at (x, y) in the
// size given with that skin; false (after a message on stderr) when it could not.
inline bool MakeProgramFolder(const std::string& programFolder, int x, int y, int width,
                              int height) {
    const std::string skinDir = "Skins\\Default";
    CreateDirectoryA(programFolder.c_str(), nullptr);
    CreateDirectoryA((programFolder + "Skins").c_str(), nullptr);
    const std::string skinSource = ProgramFolder() + skinDir + "\\";
    if (!CopyTree(skinSource, programFolder + skinDir + "\\")) {
        std::fprintf(stderr, "cannot copy %s (the build stages Skins beside this program)\n",
                     skinSource.c_str());
        return false;
    }
    const std::string settings =
        "[Placement]\r\nX=" + std::to_string(x) + "\r\nY=" + std::to_string(y) +
        "\r\nWidth=" + std::to_string(width) + "\r\nHeight=" + std::to_string(height) +
        "\r\n[Skin]\r\nDir=" + skinDir + "\r\n";
    if (!WriteTextFile(programFolder + "NimbQuillbox.ini", settings)) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return false;
    }
    return true;
}

// A folder "name-PID" under the temporary folder, removed with everything in it.
class ScratchFolder {
  public:
    explicit ScratchFolder(const char* name) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
        RemoveTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() { RemoveTree(path_); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Nothing in a benchmark should ask the user anything: a prompt is reported and refused.
class RefusingPrompts final : public Prompts {
  public:
    int Message(HWND, const std::string& caption, const std::string& text, UINT) override {
        std::fprintf(stderr, "unexpected message box \"%s\": %s\n", caption.c_str(), text.c_str());
        ++Shown;
        return IDCANCEL;
    }
    std::optional<std::string> QueryText(HWND, const std::string& caption, const std::string&,
                                         const std::string&) override {
        std::fprintf(stderr, "unexpected text query \"%s\"\n", caption.c_str());
        ++Shown;
        return std::nullopt;
    }
    std::optional<std::string> OpenFile(HWND, const std::string& filterName,
                                        const std::string&) override {
        std::fprintf(stderr, "unexpected open dialog \"%s\"\n", filterName.c_str());
        ++Shown;
        return std::nullopt;
    }
    Elevation StartElevated(HWND, const std::string& program, const std::string&) override {
        std::fprintf(stderr, "unexpected elevated start of %s\n", program.c_str());
        ++Shown;
        return Elevation::Declined;
    }
    UINT PopupMenu(HWND, HMENU, POINT) override {
        std::fprintf(stderr, "unexpected menu\n");
        ++Shown;
        return 0;
    }
    bool ShowInExplorer(const std::string& path, bool) override {
        std::fprintf(stderr, "unexpected Explorer window for %s\n", path.c_str());
        ++Shown;
        return false;
    }
    int Shown = 0;
};

// Handles every message waiting for this thread, as the message loop would.
inline void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The client window over fontsRoot (the machine's fonts), opened and shown as
// the program does, its first messages handled; null (after a message on
// stderr) when it could not be created.
inline std::unique_ptr<TfrmMiddle> OpenForm(Prompts& prompts, const std::string& programFolder,
                                            const std::string& fontsRoot) {
    auto form = std::make_unique<TfrmMiddle>(prompts, programFolder + "NimbQuillbox.exe",
                                             ScopePlaces{fontsRoot, "", SystemWriteTest});
    if (!form->Create()) {
        std::fprintf(stderr, "TfrmMiddle could not be created\n");
        return nullptr;
    }
    form->Show();
    Pump();
    return form;
}

} // namespace bench
