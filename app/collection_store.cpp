#include "collection_store.h"

#include "collection_name.h"
#include "handles.h"

#include "search_filter.h"

#include <windows.h>

namespace {

// The name is in the ANSI code page: in a double-byte one, the second byte
// of a character is no backslash or bar of its own.
bool IsAnsiLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

} // namespace

std::vector<CollectionEntry> EnumerateCollections(const std::string& fontsRoot) {
    std::vector<CollectionEntry> collections;
    WIN32_FIND_DATAA entry;
    nq::UniqueFind find(FindFirstFileA((fontsRoot + "*.*").c_str(), &entry));
    if (!find)
        return collections;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        const DWORD attributes = entry.dwFileAttributes;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            continue;
        collections.push_back({name, CollectionDisabled(fontsRoot + name + "\\")});
    } while (FindNextFileA(find.get(), &entry));
    return collections;
}

bool CollectionDisabled(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA((folder + "disabled.txt").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CheckCollectionName(const std::string& fontsRoot, const std::string& name) {
    std::string message = CollectionNameRuleMessage(fontsRoot, name, IsAnsiLeadByte);
    if (!message.empty())
        return message;
    if (GetFileAttributesA((fontsRoot + name).c_str()) != INVALID_FILE_ATTRIBUTES)
        return "A collection or file named \"" + name + "\" already exists.";
    return {};
}

std::string CheckCollectionRename(const std::string& fontsRoot, const std::string& oldName,
                                  const std::string& newName) {
    // The same name in other letters is the same folder, which exists.
    if (LowerAZ(oldName) != LowerAZ(newName))
        return CheckCollectionName(fontsRoot, newName);
    return CollectionNameRuleMessage(fontsRoot, newName, IsAnsiLeadByte);
}

bool CreateCollectionFolder(const std::string& fontsRoot, const std::string& name) {
    // The name is checked here too, so that no caller can create a folder
    // anywhere but directly under the fonts root.
    if (!CheckCollectionName(fontsRoot, name).empty())
        return false;
    return CreateDirectoryA((fontsRoot + name).c_str(), nullptr) != 0;
}
