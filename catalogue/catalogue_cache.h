// What the catalogue learnt from each font file, kept between runs so that a
// file that has not changed since is not opened again.
// Portable: no Windows calls. The file on disk is catalogue_cache_file.h's.
//
// Keys are full paths as UTF-8 text, compared as Windows compares paths
// without regard to case; only the letters A to Z are folded ("C:\Fonts\A.ttf"
// and "c:\fonts\a.TTF" are one key, "É.ttf" and "é.ttf" are two). A path that
// folds differently than Windows would fold it costs a second entry and a
// re-read, never a name taken from another file.
//
// Not thread-safe: one thread at a time uses a cache.
#pragma once

#include "font_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace nq::catalogue {

// What besides its path tells a file apart from an earlier one: a file whose
// size or last-write time changed is read again.
struct FileStamp {
    std::uint64_t Size = 0;
    std::uint64_t LastWrite = 0; // as the file system gives it (FILETIME: 100 ns since 1601)

    bool operator==(const FileStamp& other) const {
        return Size == other.Size && LastWrite == other.LastWrite;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// What reading one file gave the catalogue.
struct CachedFont {
    // False: the file is no font the catalogue lists (a ".ttf" holding text, a
    // corrupt font). It is remembered so that it is not opened again; the
    // fields below then stay at their defaults (Put clears them).
    bool Usable = false;
    fontfile::FontFormat Format = fontfile::FontFormat::kTrueType;
    std::uint32_t FaceCount = 0;
    bool CffOutlines = false; // registered with " (OpenType)" rather than " (TrueType)"
    std::string Name;         // display name, UTF-8: the row's text
    std::string Copyright;    // UTF-8, as the record shows them
    std::string Trademark;
    std::string Family;

    bool operator==(const CachedFont& other) const;
    bool operator!=(const CachedFont& other) const { return !(*this == other); }
};

class CatalogueCache {
  public:
    // path's entry when it was put with the same stamp; nullptr on a miss (no
    // entry, or the file changed since). The pointer stays valid until the
    // cache next changes (Put, DropMissing, assignment).
    const CachedFont* Find(const std::string& path, const FileStamp& stamp) const;

    // Stores what reading the file at path gave, replacing any entry of path
    // (however its case differs). An empty path is not stored.
    void Put(const std::string& path, const FileStamp& stamp, CachedFont font);

    // Drops the entries of files directly in folder (its sub-folders' are
    // kept) whose full path is not among seenPaths, the files a listing of
    // that folder found. folder ends in a backslash (one is assumed if not);
    // an empty seenPaths drops every entry of the folder. Returns how many
    // entries went.
    std::size_t DropMissing(const std::string& folder, const std::vector<std::string>& seenPaths);

    std::size_t Size() const { return entries_.size(); }

    // Whether Put or DropMissing changed the cache since it was made, parsed
    // or last marked saved; a Put of what was already stored changes nothing.
    bool Changed() const { return changed_; }
    void MarkSaved() { changed_ = false; }

    // The cache file's bytes: the magic, the format version, the count, the
    // entries in a fixed order (by folded path) and a checksum of all of it.
    std::string Serialise() const;

    // The cache whose Serialise() gave exactly [data, data + size); nothing
    // for any other bytes: a short, corrupt or hostile file, one of another
    // format version (older or newer), or entries out of order or repeated.
    // Never reads outside the buffer, and allocates no more than the bytes
    // can hold. The parsed cache is unchanged (Changed() is false).
    static std::optional<CatalogueCache> Parse(const unsigned char* data, std::size_t size);

  private:
    struct Entry {
        std::string Path; // as put: the file keeps its spelling
        FileStamp Stamp;
        CachedFont Font;
    };
    std::unordered_map<std::string, Entry> entries_; // by folded path
    bool changed_ = false;
};

// The version Serialise writes and Parse accepts. A new field of CachedFont
// bumps it: caches of other versions are then ignored and rebuilt once.
constexpr std::uint32_t kCacheFormatVersion = 1;

// The checksum a cache file ends with (8 bytes, little-endian): FNV-1a 64
// over every byte before it.
std::uint64_t CacheChecksum(const unsigned char* data, std::size_t size);

} // namespace nq::catalogue
