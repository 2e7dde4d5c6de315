// The catalogue cache's file: "NimbQuillbox.cache" beside the settings file.
#pragma once

#include "atomic_file.h"
#include "catalogue_cache.h"

#include <string>

namespace nq::catalogue {

// The extension of the cache file, which has the settings file's name.
inline constexpr char kCacheFileExtension[] = ".cache";

// A cache file larger than this is not read: it would be one of millions of fonts.
constexpr std::size_t kMaxCacheFileBytes = 256u << 20;

// The cache kept in the file at path. An empty cache when the file is missing,
// cannot be read, is larger than kMaxCacheFileBytes, or is not a whole cache
// file of this format version (CatalogueCache::Parse); the file is then
// rebuilt by the next save.
CatalogueCache LoadCatalogueCache(const std::wstring& path);

// Writes cache to the file at path with ReplaceFileContent: the file holds the
// old cache or the new one, whole. false, with the old file kept, when the
// write fails. The caller marks the cache saved.
bool SaveCatalogueCache(const CatalogueCache& cache, const std::wstring& path,
                        const WriteFault& fault = {});

} // namespace nq::catalogue
