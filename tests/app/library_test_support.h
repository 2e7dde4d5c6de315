// Temporary folders and files for the font library tests, removed again when
// the test ends.
#pragma once

#include "font_descr.h"
#include "font_scope.h"
#include "handles.h"
#include "registry.h"
#include "text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace libtest {

// Paths are UTF-8, as in the program.
inline std::wstring Wide(const std::string& path) {
    return nq::WideFromUtf8(path);
}

// Removes path and everything below it, whatever the attributes.
inline void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAW entry;
    nq::UniqueFind find(FindFirstFileW(Wide(path + "\\*").c_str(), &entry));
    if (find) {
        do {
            const std::string name = nq::Utf8FromWide(std::wstring(entry.cFileName));
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesW(Wide(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(Wide(child).c_str());
        } while (FindNextFileW(find.get(), &entry));
    }
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(Wide(path).c_str());
}

// The machine's fonts (HKLM) with root as their fonts root.
inline FontScope Machine(const std::string& root) {
    return FontScope(ScopeKind::Machine, root);
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
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool WriteFile(const std::string& path, const std::string& content) {
    nq::UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                       nullptr) &&
           written == content.size();
}

inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

// Every entry below folder, as relative paths, for before-and-after comparisons.
inline void ListTree(const std::string& folder, const std::string& prefix,
                     std::vector<std::string>& out) {
    WIN32_FIND_DATAW entry;
    nq::UniqueFind find(FindFirstFileW(Wide(folder + "*").c_str(), &entry));
    if (!find)
        return;
    do {
        const std::string name = nq::Utf8FromWide(std::wstring(entry.cFileName));
        if (name == "." || name == "..")
            continue;
        out.push_back(prefix + name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListTree(folder + name + "\\", prefix + name + "\\", out);
    } while (FindNextFileW(find.get(), &entry));
}

inline std::vector<std::string> ListTree(const std::string& folder) {
    std::vector<std::string> out;
    ListTree(folder, "", out);
    return out;
}

// The whole content of a file; missing is set when it cannot be opened.
inline std::string ReadFile(const std::string& path, bool* missing = nullptr) {
    nq::UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (missing)
        *missing = !file;
    std::string content;
    char chunk[4096];
    DWORD count = 0;
    while (file && ::ReadFile(file.get(), chunk, sizeof chunk, &count, nullptr) && count > 0)
        content.append(chunk, count);
    return content;
}

// The data of a font's registry value in hive; empty when there is none.
inline std::string FontValue(const std::string& name, HKEY hive = HKEY_LOCAL_MACHINE,
                             const std::string& suffix = " (TrueType)") {
    return nq::ReadString(hive, nq::kFontsKey, name + suffix);
}

inline void SetFontValue(const std::string& name, const std::string& data,
                         HKEY hive = HKEY_LOCAL_MACHINE,
                         const std::string& suffix = " (TrueType)") {
    const nq::UniqueRegKey key = nq::CreateKey(hive, nq::kFontsKey, KEY_SET_VALUE);
    ASSERT_TRUE(key);
    ASSERT_EQ(nq::WriteKeyString(key.get(), name + suffix, data), ERROR_SUCCESS);
}

// Deletes the font's registry values in hive (both suffixes) and sub-keys of
// the same names.
inline void DeleteFontValue(const std::string& name, HKEY hive = HKEY_LOCAL_MACHINE) {
    const nq::UniqueRegKey key = nq::OpenKey(hive, nq::kFontsKey, KEY_ALL_ACCESS);
    if (!key)
        return;
    for (const char* suffix : {" (TrueType)", " (OpenType)"}) {
        nq::DeleteKeyValue(key.get(), name + suffix);
        if (name.find('\\') == std::string::npos)
            nq::DeleteSubKey(key.get(), name + suffix);
    }
}

// A fonts root with the collections "A" and "B" and records of real font files
// under font names no other font has; their registry values go at the end.
class FontsRootTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MakeFolder(root_.Path() + "A"));
        ASSERT_TRUE(MakeFolder(root_.Path() + "B"));
    }
    void TearDown() override {
        for (const std::unique_ptr<FontDescr>& record : fonts_)
            for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
                DeleteFontValue(record->Name, hive);
    }

    std::string Folder(const char* collection) const { return root_.Path() + collection + "\\"; }

    // A copy of a real font as file in collection (null: the root itself),
    // named "NQ <pid> name".
    FontDescr& AddFont(const std::string& name, const std::string& file = "",
                       const char* collection = "A") {
        auto record = std::make_unique<FontDescr>();
        record->Name = "NQ " + std::to_string(GetCurrentProcessId()) + " " + name;
        record->Path = (collection ? Folder(collection) : root_.Path()) +
                       (file.empty() ? name + ".ttf" : file);
        EXPECT_TRUE(CopyFileW(L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf",
                              Wide(record->Path).c_str(), TRUE));
        fonts_.push_back(std::move(record));
        return *fonts_.back();
    }

    TempFolder root_;
    FontScope scope_ = Machine(root_.Path());
    FontList fonts_;
};

} // namespace libtest
