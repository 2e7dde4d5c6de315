#include "catalogue_cache.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

// The file, all integers little-endian:
//   magic (8 bytes) | version (u32) | count (u32) | count entries | checksum (u64)
// An entry:
//   path (str) | size (u64) | last write (u64) | flags (u8) | format (u8) |
//   face count (u32) | name (str) | copyright (str) | trademark (str) | family (str)
// where str is a u32 byte count and the bytes. Flags: bit 0 usable, bit 1 CFF
// outlines. Every field has one spelling (no unknown flag bits, the fields of
// an unusable entry empty, entries in folded-path order), so the bytes Parse
// accepts are exactly the bytes Serialise writes.
//
// A new field goes at the end of the entry, into CachedFont's operator== and
// both directions below, and bumps kCacheFormatVersion.

namespace nq::catalogue {

namespace {

constexpr unsigned char kMagic[8] = {'N', 'Q', 'c', 'a', 't', '\r', '\n', 0x1A};
constexpr std::size_t kHeaderBytes = sizeof kMagic + 4 + 4;
constexpr std::size_t kChecksumBytes = 8;
// The smallest entry: a one-byte path, the fixed fields, four empty strings.
constexpr std::size_t kMinEntryBytes = (4 + 1) + 8 + 8 + 1 + 1 + 4 + 4 * 4;

constexpr std::uint8_t kUsableFlag = 1;
constexpr std::uint8_t kCffFlag = 2;
constexpr std::uint8_t kKnownFlags = kUsableFlag | kCffFlag;
constexpr std::uint8_t kLastFormat = static_cast<std::uint8_t>(fontfile::FontFormat::kBitmap);

std::string FoldAZ(std::string path) {
    for (char& c : path)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return path;
}

void AppendInt(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendText(std::string& out, const std::string& text) {
    AppendInt(out, text.size(), 4);
    out += text;
}

// Reads forwards through [pos, end); every read first checks what is left.
class Reader {
  public:
    Reader(const unsigned char* begin, const unsigned char* end) : pos_(begin), end_(end) {}

    std::size_t Left() const { return static_cast<std::size_t>(end_ - pos_); }

    bool Int(std::uint64_t& value, int bytes) {
        if (Left() < static_cast<std::size_t>(bytes))
            return false;
        value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= static_cast<std::uint64_t>(pos_[i]) << (8 * i);
        pos_ += bytes;
        return true;
    }

    bool Text(std::string& text) {
        std::uint64_t length = 0;
        if (!Int(length, 4) || length > Left())
            return false;
        text.assign(reinterpret_cast<const char*>(pos_), static_cast<std::size_t>(length));
        pos_ += length;
        return true;
    }

  private:
    const unsigned char* pos_;
    const unsigned char* end_;
};

bool CanonicalUnusable(const CachedFont& font) {
    return font == CachedFont{};
}

} // namespace

bool CachedFont::operator==(const CachedFont& other) const {
    return Usable == other.Usable && Format == other.Format && FaceCount == other.FaceCount &&
           CffOutlines == other.CffOutlines && Name == other.Name && Copyright == other.Copyright &&
           Trademark == other.Trademark && Family == other.Family;
}

std::uint64_t CacheChecksum(const unsigned char* data, std::size_t size) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

const CachedFont* CatalogueCache::Find(const std::string& path, const FileStamp& stamp) const {
    const auto found = entries_.find(FoldAZ(path));
    if (found == entries_.end() || found->second.Stamp != stamp)
        return nullptr;
    return &found->second.Font;
}

void CatalogueCache::Put(const std::string& path, const FileStamp& stamp, CachedFont font) {
    if (path.empty())
        return;
    if (!font.Usable)
        font = CachedFont{};
    Entry entry{path, stamp, std::move(font)};
    // try_emplace leaves entry alone when the key is there already.
    auto [at, inserted] = entries_.try_emplace(FoldAZ(path), std::move(entry));
    if (inserted) {
        changed_ = true;
        return;
    }
    Entry& old = at->second;
    if (old.Path == entry.Path && old.Stamp == entry.Stamp && old.Font == entry.Font)
        return;
    old = std::move(entry);
    changed_ = true;
}

std::size_t CatalogueCache::DropMissing(const std::string& folder,
                                        const std::vector<std::string>& seenPaths) {
    std::string prefix = FoldAZ(folder);
    if (prefix.empty() || prefix.back() != '\\')
        prefix += '\\';
    std::unordered_set<std::string> seen;
    seen.reserve(seenPaths.size());
    for (const std::string& path : seenPaths)
        seen.insert(FoldAZ(path));
    std::size_t dropped = 0;
    for (auto at = entries_.begin(); at != entries_.end();) {
        const std::string& key = at->first;
        const bool inFolder = key.size() > prefix.size() &&
                              key.compare(0, prefix.size(), prefix) == 0 &&
                              key.find_first_of("\\/", prefix.size()) == std::string::npos;
        if (inFolder && seen.count(key) == 0) {
            at = entries_.erase(at);
            ++dropped;
        } else {
            ++at;
        }
    }
    if (dropped > 0)
        changed_ = true;
    return dropped;
}

std::string CatalogueCache::Serialise() const {
    std::vector<const std::pair<const std::string, Entry>*> order;
    order.reserve(entries_.size());
    std::size_t bytes = kHeaderBytes + kChecksumBytes;
    for (const auto& entry : entries_) {
        order.push_back(&entry);
        const CachedFont& font = entry.second.Font;
        bytes += kMinEntryBytes + entry.second.Path.size() + font.Name.size() +
                 font.Copyright.size() + font.Trademark.size() + font.Family.size();
    }
    std::sort(order.begin(), order.end(),
              [](const auto* a, const auto* b) { return a->first < b->first; });

    std::string out;
    out.reserve(bytes);
    out.append(reinterpret_cast<const char*>(kMagic), sizeof kMagic);
    AppendInt(out, kCacheFormatVersion, 4);
    AppendInt(out, order.size(), 4);
    for (const auto* keyed : order) {
        const Entry& entry = keyed->second;
        const CachedFont& font = entry.Font;
        AppendText(out, entry.Path);
        AppendInt(out, entry.Stamp.Size, 8);
        AppendInt(out, entry.Stamp.LastWrite, 8);
        AppendInt(out, (font.Usable ? kUsableFlag : 0) | (font.CffOutlines ? kCffFlag : 0), 1);
        AppendInt(out, static_cast<std::uint8_t>(font.Format), 1);
        AppendInt(out, font.FaceCount, 4);
        for (const std::string* text : {&font.Name, &font.Copyright, &font.Trademark, &font.Family})
            AppendText(out, *text);
    }
    AppendInt(out, CacheChecksum(reinterpret_cast<const unsigned char*>(out.data()), out.size()),
              8);
    return out;
}

std::optional<CatalogueCache> CatalogueCache::Parse(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size < kHeaderBytes + kChecksumBytes ||
        !std::equal(std::begin(kMagic), std::end(kMagic), data))
        return std::nullopt;
    const std::size_t bodySize = size - kChecksumBytes;
    Reader trailer(data + bodySize, data + size);
    std::uint64_t checksum = 0;
    if (!trailer.Int(checksum, 8) || checksum != CacheChecksum(data, bodySize))
        return std::nullopt;

    Reader reader(data + sizeof kMagic, data + bodySize);
    std::uint64_t version = 0;
    std::uint64_t count = 0;
    if (!reader.Int(version, 4) || version != kCacheFormatVersion || !reader.Int(count, 4) ||
        count > reader.Left() / kMinEntryBytes)
        return std::nullopt;

    CatalogueCache cache;
    cache.entries_.reserve(static_cast<std::size_t>(count));
    std::string previousKey;
    for (std::uint64_t i = 0; i < count; ++i) {
        Entry entry;
        CachedFont& font = entry.Font;
        std::uint64_t flags = 0;
        std::uint64_t format = 0;
        std::uint64_t faces = 0;
        if (!reader.Text(entry.Path) || !reader.Int(entry.Stamp.Size, 8) ||
            !reader.Int(entry.Stamp.LastWrite, 8) || !reader.Int(flags, 1) ||
            !reader.Int(format, 1) || !reader.Int(faces, 4) || !reader.Text(font.Name) ||
            !reader.Text(font.Copyright) || !reader.Text(font.Trademark) ||
            !reader.Text(font.Family))
            return std::nullopt;
        if ((flags & ~kKnownFlags) != 0 || format > kLastFormat)
            return std::nullopt;
        font.Usable = (flags & kUsableFlag) != 0;
        font.CffOutlines = (flags & kCffFlag) != 0;
        font.Format = static_cast<fontfile::FontFormat>(format);
        font.FaceCount = static_cast<std::uint32_t>(faces);
        if (!font.Usable && !CanonicalUnusable(font))
            return std::nullopt;
        std::string key = FoldAZ(entry.Path);
        // Strictly ascending: no empty path, no key twice, one order.
        if (key.empty() || (i > 0 && key <= previousKey))
            return std::nullopt;
        previousKey = key;
        cache.entries_.emplace(std::move(key), std::move(entry));
    }
    if (reader.Left() != 0)
        return std::nullopt;
    return cache;
}

} // namespace nq::catalogue
