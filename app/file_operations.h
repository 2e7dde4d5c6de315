// Adding font files to a collection, moving a font to another collection and
// sending fonts and collections to the recycle bin, for font files of every
// format and paths in any language (UTF-8). Errors come back as the message
// text the caller shows; nothing here shows UI of its own.
#pragma once

#include "font_descr.h"
#include "font_scope.h"

#include <windows.h>

#include <memory>
#include <string>

// Captions and texts of the boxes the caller shows for these operations.
inline constexpr const char* kAddFontCaption = "Add Font";
inline constexpr const char* kAlreadyInCollectionText =
    "Font not copied to this collection, because it's already in the collection.";
inline constexpr const char* kNotAFontText = "This does not seems to be a valid font.";
inline constexpr const char* kMoveFontCaption = "Move font";
inline constexpr const char* kTrashCaption = "Move to trash";

// The file-name part of path: everything after its last '\', '/' or ':'.
std::string FileNamePart(const std::string& path);

// Where a file added or moved to targetFolder (ending in a backslash) lies:
// targetFolder + the file-name part of source.
std::string TargetPath(const std::string& targetFolder, const std::string& source);

// Copies source to target and never replaces a file there. False when nothing
// was copied, whatever the reason (a file of that name, no access, no source).
bool CopyFontFile(const std::string& source, const std::string& target);

// The record of a font file that already lies at its place in a collection,
// read as a listing reads it (ReadFontRecord: every format, the platform's
// description as Name where there is one), Installed from the registry.
// Nothing when it is no font file; the file stays.
std::unique_ptr<FontDescr> AddFontFile(const std::string& path, const FontScope& scope);

// The same for a dropped file: the dialog and the drop accept the same files.
std::unique_ptr<FontDescr> AddDroppedFontFile(const std::string& path, const FontScope& scope);

struct MoveResult {
    bool Moved = false;  // the file lies in the target collection now: drop its row
    std::string Message; // for a box captioned kMoveFontCaption; empty when all went well
};

// Moves the record's file into targetFolder (ending in a backslash; the
// scope's root for "All Fonts"). An installed font is uninstalled first, so that
// Windows lets go of the file, and installed again at its new path. Never
// replaces a file: when the target already holds a file of that name (in any
// letter case) or is the font's own folder, nothing is touched and Message says
// why. A copy or removal that fails leaves the file, Path and the registration
// as they were. Path is the new path once Moved. Without broadcast the caller
// tells the other windows of the font change (once after many moves).
MoveResult MoveFontFile(FontDescr& record, const std::string& targetFolder, const FontScope& scope,
                        bool broadcast = true);

// Sends a file, or a folder given without a trailing backslash, to the
// recycle bin without asking (SHFileOperationW, FO_DELETE, FOF_SILENT |
// FOF_NOCONFIRMATION | FOF_ALLOWUNDO); owner is the window that owns any
// message of the shell. Where the recycle bin cannot take the item, the
// shell asks before it erases it (FOF_WANTNUKEWARNING); No leaves it. Empty
// on success; otherwise the message, and the item stays where it is. Paths
// of 260 UTF-16 characters or more and wildcards are refused: the shell would
// act on a cut path or on other items. An item that is not there is reported
// without asking the shell.
std::string SendToRecycleBin(HWND owner, const std::string& path);

// Sends the record's file to the recycle bin, uninstalling it first if it is
// installed (a value of the same name that names another file is left alone,
// also when Installed is out of date).
// Empty on success: drop the row. Otherwise the message, and the font is as
// it was, registration included. Without broadcast the caller tells the other
// windows of the font change.
std::string TrashFont(HWND owner, FontDescr& record, const FontScope& scope, bool broadcast = true);

// Sends the collection in folder (ending in a backslash) to the recycle bin,
// first uninstalling every installed record of fonts whose file lies in it,
// whatever the search filter shows. Empty on success: drop the collection's
// row and clear FontList. Otherwise the message, and those fonts are installed
// again.
std::string TrashCollection(HWND owner, const FontList& fonts, const std::string& folder,
                            const FontScope& scope);

// Opens the recycle bin in the shell; false when the shell could not.
bool OpenRecycleBin();
