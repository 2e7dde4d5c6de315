// Arbitrary bytes into the catalogue cache's reader, as they are and with a
// checksum that fits them (so that the fuzzer gets past the checksum). A cache
// it accepts must be exactly the bytes it was read from.
#include "catalogue_cache.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using nq::catalogue::CatalogueCache;

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

void ReadBack(const std::uint8_t* data, std::size_t size) {
    const std::optional<CatalogueCache> cache = CatalogueCache::Parse(data, size);
    if (!cache)
        return;
    Require(!cache->Changed());
    Require(cache->Serialise() == std::string(reinterpret_cast<const char*>(data), size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadBack(data, size);
    if (size < 8)
        return 0;
    std::basic_string<std::uint8_t> sealed(data, size);
    std::uint64_t checksum = nq::catalogue::CacheChecksum(sealed.data(), size - 8);
    for (std::size_t i = size - 8; i < size; ++i, checksum >>= 8)
        sealed[i] = static_cast<std::uint8_t>(checksum & 0xFF);
    ReadBack(sealed.data(), size);
    return 0;
}
