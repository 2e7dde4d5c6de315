#include "catalogue_cache_file.h"

#include <new>

namespace nq::catalogue {

CatalogueCache LoadCatalogueCache(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path, kMaxCacheFileBytes);
    if (!bytes)
        return {};
    try {
        std::optional<CatalogueCache> cache = CatalogueCache::Parse(
            reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size());
        return cache ? std::move(*cache) : CatalogueCache{};
    } catch (const std::bad_alloc&) {
        // Parse allocates no more than the file holds, but a 32-bit process
        // may not have that much to spare: start empty rather than fail.
        return {};
    }
}

bool SaveCatalogueCache(const CatalogueCache& cache, const std::wstring& path,
                        const WriteFault& fault) {
    std::string bytes;
    try {
        bytes = cache.Serialise();
    } catch (const std::bad_alloc&) {
        return false;
    }
    return ReplaceFileContent(path, bytes, fault);
}

} // namespace nq::catalogue
