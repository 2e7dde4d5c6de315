// Temporary folders and files for the font library tests, removed again when
// the test ends.
#pragma once

#include "handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace libtest {

// Removes path and everything below it, whatever the attributes.
inline void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    nq::UniqueFind find(FindFirstFileA((path + "\\*").c_str(), &entry));
    if (find) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find.get(), &entry));
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

// A fresh folder under the temp folder; Path() ends in a backslash.
class TempFolder {
  public:
    explicit TempFolder(const std::string& stem = "nqlib") {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        static unsigned counter = 0;
        for (;;) {
            path_ = std::string(temp) + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(++counter);
            if (CreateDirectoryA(path_.c_str(), nullptr))
                break;
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveTree(path_); }

    std::string Path() const { return path_ + "\\"; }

  private:
    std::string path_;
};

inline bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool WriteFile(const std::string& path, const std::string& content) {
    nq::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                       nullptr) &&
           written == content.size();
}

inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

// Every entry below folder, as relative paths, for before-and-after comparisons.
inline void ListTree(const std::string& folder, const std::string& prefix,
                     std::vector<std::string>& out) {
    WIN32_FIND_DATAA entry;
    nq::UniqueFind find(FindFirstFileA((folder + "*").c_str(), &entry));
    if (!find)
        return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        out.push_back(prefix + name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListTree(folder + name + "\\", prefix + name + "\\", out);
    } while (FindNextFileA(find.get(), &entry));
}

inline std::vector<std::string> ListTree(const std::string& folder) {
    std::vector<std::string> out;
    ListTree(folder, "", out);
    return out;
}

} // namespace libtest
