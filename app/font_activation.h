// Switching fonts on and off in Windows, one at a time or a whole collection,
// in the font scope given (the machine's fonts or the user's own). A font is
// on while the scope's font registry names its file and the file is loaded as
// a font resource; a collection is off while its folder holds "disabled.txt",
// the list of the fonts that switching it off unregistered. A registry value
// that names another file belongs to that file: it is never replaced or
// deleted here. Errors come back as the message text the caller shows;
// nothing here shows UI.
#pragma once

#include "font_descr.h"
#include "font_scope.h"

#include <string>

// Whether a collection switch tells the other windows after each font, or once
// after the last one (and not at all when no font changed). The end state is
// the same; once at the end is the default, since one broadcast costs more
// than a font's registry and font-table calls together.
enum class CollectionBroadcast { PerFont, OnceAtEnd };

// Sends WM_FONTCHANGE to every top-level window and returns when all have handled it.
void BroadcastFontChange();

// Switches one font on: creates or opens the scope's font key with full
// access, writes the value FontValueName = Path (unless the value named
// OtherFontValueName names this file already: the font is registered then),
// adds the font resource,
// broadcasts WM_FONTCHANGE when broadcast is true, closes the key and reads
// Installed back (CheckInstalled). Empty on success. Otherwise nothing was
// written, loaded or broadcast, Installed is unchanged, and the message is:
// - "'<Name>' is already registered for <path>." when the value of that name
//   names another file (bare file names taken in the scope's root);
// - "Failed to set data for '<value name>'" when the value cannot be written.
std::string InstallFont(FontDescr& record, const FontScope& scope, bool broadcast = true);

// Switches one font off: deletes each of the values FontValueName and
// OtherFontValueName, with a sub-key of its name, that names this very file (a
// value naming another file stays, and so does its sub-key), removes the font resource, broadcasts
// WM_FONTCHANGE when broadcast is true, and reads Installed back. Failures of
// the single steps are not reported: Installed tells what the registry holds
// afterwards.
void UninstallFont(FontDescr& record, const FontScope& scope, bool broadcast = true);

// The line of "disabled.txt" for a font named name: name without anything up
// to and including its last '\' or ':'.
std::string DisabledListName(const std::string& name);

// folder (ending in a backslash) + "disabled.txt".
std::string DisabledListPath(const std::string& folder);

// Switches the collection in folder (ending in a backslash) off. fonts are all
// records of the listed collection, whatever the search filter shows. The
// DisabledListName of every installed record goes into DisabledListPath, one
// line each in list order with CR LF after every line (an empty file when none
// is installed), in the ANSI code page, or as UTF-8 behind a byte order mark
// when a name does not fit it (see text.h); then those records are uninstalled. Empty on success:
// the collection is off. When the folder holds its list already, the collection is off already:
// nothing is written or uninstalled, and the result is empty too. "Cannot create file <path>" when
// the list cannot be written; then no font was touched and no file is left behind.
std::string SwitchCollectionOff(const FontList& fonts, const std::string& folder,
                                const FontScope& scope,
                                CollectionBroadcast broadcast = CollectionBroadcast::OnceAtEnd);

// Switches the collection in folder back on. For each line of its list, in
// file order, the first record of fonts whose DisabledListName equals the line
// (ignoring the case of A-Z) is installed; lines without such a record are
// skipped. Then the list is deleted. Empty on success: the collection is on.
// Otherwise the message, and the list stays:
// - "Cannot open file <path>" when it cannot be read; nothing was installed;
// - the first message of InstallFont (a value held by another file, or one
//   that cannot be written); the fonts of the lines before stay installed,
//   those after are not tried;
// - "Cannot delete file <path>" when every font is on but the list remains.
std::string SwitchCollectionOn(const FontList& fonts, const std::string& folder,
                               const FontScope& scope,
                               CollectionBroadcast broadcast = CollectionBroadcast::OnceAtEnd);

// Loads every font the scope's registry names (bare file names lie in its
// root) with AddFontResourceW and broadcasts WM_FONTCHANGE once; returns how
// many were loaded. Windows before 10 version 1809 does not load a user's own
// fonts at sign-in: the program does it at start.
int LoadRegisteredFonts(const FontScope& scope);
