// Collections are the direct sub-folders of the fonts root; a collection is
// switched off while its folder holds "disabled.txt".
#pragma once

#include <string>
#include <vector>

struct CollectionEntry {
    std::string Name;
    bool Off = false;
};

// The collections under fontsRoot in enumeration order: folders only, without
// ".", "..", hidden or system folders. Empty when the enumeration fails.
std::vector<CollectionEntry> EnumerateCollections(const std::string& fontsRoot);

// Whether folder (ending in a backslash) holds "disabled.txt".
bool CollectionDisabled(const std::string& folder);

// Empty when name may become a new collection under fontsRoot; otherwise the
// message the user is shown, and nothing may be created.
std::string CheckCollectionName(const std::string& fontsRoot, const std::string& name);

// Empty when the collection oldName may be renamed to newName under
// fontsRoot: the rules of a new collection's name, and no other collection or
// file of that name (another letter case of the same name is allowed).
std::string CheckCollectionRename(const std::string& fontsRoot, const std::string& oldName,
                                  const std::string& newName);

// Creates fontsRoot + name; true when the folder was created.
bool CreateCollectionFolder(const std::string& fontsRoot, const std::string& name);
