// Renaming a collection: its folder gets the new name, with every file in it
// ("disabled.txt" included), and the fonts of it that were on are on again at
// their new paths.
#pragma once

#include "font_descr.h"
#include "font_scope.h"

#include <string>

struct RenameResult {
    bool Renamed = false;
    // Why nothing changed; after a rename, which fonts could not be switched
    // on again. Empty when all went well.
    std::string Message;
};

// Renames the folder fontsRoot + oldName to fontsRoot + newName (a name
// CheckCollectionRename accepted). fonts are the records of the collection's
// listing: those that are on are switched off first, so that Windows lets go
// of their files, and on again after; every record of the folder takes its
// new Path. The other windows are told once. When the folder cannot be
// renamed (a file in it held open, the name taken meanwhile), it keeps its
// name, the fonts are on again at their old paths, and Message says why.
RenameResult RenameCollectionFolder(const FontList& fonts, const std::string& fontsRoot,
                                    const std::string& oldName, const std::string& newName,
                                    const FontScope& scope);
