#include "collection_store.h"

#include "collection_name.h"
#include "handles.h"
#include "text.h"

#include <windows.h>

#include <cwchar>

std::vector<CollectionEntry> EnumerateCollections(const std::string& fontsRoot) {
    std::vector<CollectionEntry> collections;
    WIN32_FIND_DATAW entry;
    nq::UniqueFind find(FindFirstFileW(nq::WideFromUtf8(fontsRoot + "*.*").c_str(), &entry));
    if (!find)
        return collections;
    do {
        const std::string name = nq::Utf8FromWide(entry.cFileName, wcslen(entry.cFileName));
        if (name == "." || name == "..")
            continue;
        const DWORD attributes = entry.dwFileAttributes;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            continue;
        collections.push_back({name, CollectionDisabled(fontsRoot + name + "\\")});
    } while (FindNextFileW(find.get(), &entry));
    return collections;
}

bool CollectionDisabled(const std::string& folder) {
    const DWORD attributes = GetFileAttributesW(nq::WideFromUtf8(folder + "disabled.txt").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CheckCollectionName(const std::string& fontsRoot, const std::string& name) {
    // UTF-8: no byte of a character beyond ASCII is an ASCII character.
    std::string message = CollectionNameRuleMessage(fontsRoot, name);
    if (!message.empty())
        return message;
    if (GetFileAttributesW(nq::WideFromUtf8(fontsRoot + name).c_str()) != INVALID_FILE_ATTRIBUTES)
        return "A collection or file named \"" + name + "\" already exists.";
    return {};
}

std::string CheckCollectionRename(const std::string& fontsRoot, const std::string& oldName,
                                  const std::string& newName) {
    // The same name in other letters (in any script) is the same folder, which exists.
    const std::wstring oldWide = nq::WideFromUtf8(oldName);
    const std::wstring newWide = nq::WideFromUtf8(newName);
    const bool sameIgnoringCase =
        CompareStringOrdinal(oldWide.c_str(), static_cast<int>(oldWide.size()), newWide.c_str(),
                             static_cast<int>(newWide.size()), TRUE) == CSTR_EQUAL;
    if (!sameIgnoringCase)
        return CheckCollectionName(fontsRoot, newName);
    return CollectionNameRuleMessage(fontsRoot, newName);
}

bool CreateCollectionFolder(const std::string& fontsRoot, const std::string& name) {
    // The name is checked here too, so that no caller can create a folder
    // anywhere but directly under the fonts root.
    if (!CheckCollectionName(fontsRoot, name).empty())
        return false;
    return CreateDirectoryW(nq::WideFromUtf8(fontsRoot + name).c_str(), nullptr) != 0;
}
