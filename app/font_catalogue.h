// Reads a collection folder into FontDescr records and tells which of them
// Windows has registered. Every format Windows installs is listed: TrueType
// (".ttf"), OpenType with CFF outlines (".otf"), collections (".ttc", ".otc")
// and bitmap fonts (".fon").
#pragma once

#include "catalogue_cache.h"
#include "font_descr.h"
#include "font_scope.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The four buffers GetFontProps fills: full name, copyright, trademark, family.
using FontNameBuffers = std::array<std::array<char, 1024>, 4>;

// Whether fileName's extension (any letter case) is one of a font file the
// catalogue lists: ".ttf", ".otf", ".ttc", ".otc" or ".fon".
bool IsFontFileName(const std::string& fileName);

// The record of the font file at path (UTF-8) with its naming strings, its
// display name, format and Installed; nothing when no reader reads the file
// and the platform does not describe it either. Whatever the file's name:
// - glyphscan's GetFontProps reads a TrueType or bitmap file first, as it
//   always did (its 8-bit texts are read in the ANSI code page); where a text
//   name or family came back other than printable ASCII (a UTF-16 name
//   copied byte for byte, or turned into the ANSI code page with '?' for what
//   it lacks), the program's own reader gives the same records' names as
//   stored, in any language;
// - the program's reader reads what GetFontProps does not: OpenType CFF,
//   collections (one record, its faces' full names joined with " & ", the
//   first face's other strings), bitmap fonts (their face names), and paths
//   the ANSI code page cannot spell;
// - a non-empty description from the platform (GetFontResourceInfoW)
//   replaces the display name, and alone still makes a record with empty
//   naming strings.
// names is scratch space, so that a listing can reuse one set for every file.
std::unique_ptr<FontDescr> ReadFontRecord(const std::string& path, const FontScope& scope,
                                          FontNameBuffers& names);

// ReadFontRecord without the registry: Installed stays false.
std::unique_ptr<FontDescr> ReadFontFileNames(const std::string& path, FontNameBuffers& names);

// A font file of a folder, with what tells it apart from an earlier version of itself.
struct FontFileEntry {
    std::string Path; // folder + file name, UTF-8
    nq::catalogue::FileStamp Stamp;
};

// The files directly in folder (ending in a backslash) that a listing reads,
// in enumeration order: those whose name IsFontFileName accepts; hidden and
// system files, and files whose full path is MAX_PATH characters or longer
// (which few Windows programs can open), are left out.
std::vector<FontFileEntry> FontFilesIn(const std::string& folder);

// Calls onFont with a filled record (Installed set) for every usable font file
// of FontFilesIn(folder), in that order, all read on the calling thread. The
// four naming buffers are taken and the font key is read once per call.
void ScanFontFolder(const std::string& folder, const FontScope& scope,
                    const std::function<void(std::unique_ptr<FontDescr>)>& onFont);

// The platform's description of a font file (GetFontResourceInfoW, query type
// 1) as UTF-8; empty when there is none.
std::string FontResourceDescription(const std::string& path);

// Whether the scope's open font key (KEY_QUERY_VALUE; null reads as missing)
// names exactly the record's file under either of the font's value names.
bool RegistryNamesFile(HKEY key, const FontDescr& record, const FontScope& scope);

// The scope's font key read whole at one moment, for a listing that asks it
// about many files: one pass over its values rather than two queries per file.
class RegisteredFonts {
  public:
    // Empty when the key is missing or cannot be read.
    explicit RegisteredFonts(const FontScope& scope);
    // What RegistryNamesFile answers for the key as it was read.
    bool NamesFile(const FontDescr& record, const FontScope& scope) const;
    std::size_t Size() const { return values_.size(); }

  private:
    // The string data of each value (UTF-8), by its name folded as the
    // registry compares value names, without regard to case.
    std::unordered_map<std::wstring, std::string> values_;
};

// Sets record.Installed: whether the scope's font registry (HKLM or HKCU, never
// the other one) names exactly this file under either of the font's value
// names (FontValueName, OtherFontValueName); bare file names there lie in the
// scope's root.
void CheckInstalled(FontDescr& record, const FontScope& scope);
