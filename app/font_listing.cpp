#include "font_listing.h"

#include "catalogue_cache_file.h"
#include "listing_rules.h"

#include <chrono>
#include <exception>

namespace nq {

namespace {

// What the cache keeps of a read file; a file that gave no record is kept
// as no font, so that it is not opened again either.
catalogue::CachedFont CacheEntryOf(const FontDescr* record) {
    catalogue::CachedFont font;
    if (!record)
        return font;
    font.Usable = true;
    font.Format = record->Format;
    font.FaceCount = static_cast<std::uint32_t>(record->FaceCount);
    font.CffOutlines = record->CffOutlines;
    font.Name = record->Name;
    font.Copyright = record->Copyright;
    font.Trademark = record->Trademark;
    font.Family = record->Family;
    return font;
}

std::unique_ptr<FontDescr> RecordOf(const std::string& path, const catalogue::CachedFont& font) {
    if (!font.Usable)
        return nullptr;
    auto record = std::make_unique<FontDescr>();
    record->Path = path;
    record->Name = font.Name;
    record->Copyright = font.Copyright;
    record->Trademark = font.Trademark;
    record->Family = font.Family;
    record->Format = font.Format;
    record->FaceCount = static_cast<int>(font.FaceCount);
    record->CffOutlines = font.CffOutlines;
    return record;
}

std::uint64_t MillisBetween(std::chrono::steady_clock::time_point from,
                            std::chrono::steady_clock::time_point to) {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
}

} // namespace

struct FontListing::Job {
    Job(unsigned generation, std::string folder, FontScope scope, Notify announce)
        : Generation(generation), Folder(std::move(folder)), Scope(std::move(scope)),
          Announce(std::move(announce)) {}

    unsigned Generation;
    std::string Folder;
    FontScope Scope;
    Notify Announce;
    std::atomic<bool> Cancelled{false};
};

FontListing::FontListing() : reader_(ReadFontFileNames) {}

FontListing::~FontListing() {
    Cancel();
}

void FontListing::UseCacheFile(const std::wstring& path) {
    const std::lock_guard<std::mutex> lock(cacheMutex_);
    cachePath_ = path;
    cache_ = catalogue::LoadCatalogueCache(path);
}

bool FontListing::SaveCache() {
    const std::lock_guard<std::mutex> lock(cacheMutex_);
    if (cachePath_.empty() || !cache_.Changed())
        return true;
    SaveCacheLocked();
    return !cache_.Changed();
}

void FontListing::SaveCacheLocked() {
    if (catalogue::SaveCatalogueCache(cache_, cachePath_))
        cache_.MarkSaved();
}

std::size_t FontListing::CachedFiles() const {
    const std::lock_guard<std::mutex> lock(cacheMutex_);
    return cache_.Size();
}

unsigned FontListing::Generation() const {
    const std::lock_guard<std::mutex> lock(queueMutex_);
    return generation_;
}

unsigned FontListing::Start(const std::string& folder, const FontScope& scope, Notify notify) {
    Cancel();
    unsigned generation;
    {
        const std::lock_guard<std::mutex> lock(queueMutex_);
        generation = ++generation_;
    }
    reading_ = true;
    read_ = total_ = 0;
    job_ = std::make_unique<Job>(generation, folder, scope, std::move(notify));
    thread_ = std::thread(&FontListing::Run, this, std::ref(*job_));
    return generation;
}

void FontListing::Cancel() {
    if (job_)
        job_->Cancelled = true;
    if (thread_.joinable())
        thread_.join();
    job_.reset();
    const std::lock_guard<std::mutex> lock(queueMutex_);
    queue_.clear();
    reading_ = false;
}

void FontListing::Wait() {
    if (thread_.joinable())
        thread_.join();
}

std::vector<ListingBatch> FontListing::TakeBatches() {
    std::vector<ListingBatch> taken;
    {
        const std::lock_guard<std::mutex> lock(queueMutex_);
        for (ListingBatch& batch : queue_)
            if (batch.Generation == generation_)
                taken.push_back(std::move(batch));
        queue_.clear();
    }
    for (const ListingBatch& batch : taken) {
        read_ = batch.Read;
        total_ = batch.Total;
        if (batch.Done)
            reading_ = false;
    }
    return taken;
}

void FontListing::Deliver(Job& job, ListingBatch batch) {
    batch.Generation = job.Generation;
    {
        const std::lock_guard<std::mutex> lock(queueMutex_);
        if (job.Generation != generation_)
            return;
        queue_.push_back(std::move(batch));
    }
    if (job.Announce)
        job.Announce(job.Generation);
}

void FontListing::Run(Job& job) {
    try {
        Read(job);
    } catch (const std::exception&) {
        // Out of memory halfway: the listing ends with what it handed over.
        ListingBatch last;
        last.Done = true;
        Deliver(job, std::move(last));
    }
}

std::unique_ptr<FontDescr> FontListing::CachedOrRead(const FontFileEntry& file,
                                                     FontNameBuffers& names) {
    {
        const std::lock_guard<std::mutex> lock(cacheMutex_);
        if (const catalogue::CachedFont* cached = cache_.Find(file.Path, file.Stamp))
            return RecordOf(file.Path, *cached);
    }
    std::unique_ptr<FontDescr> record = reader_(file.Path, names);
    const std::lock_guard<std::mutex> lock(cacheMutex_);
    cache_.Put(file.Path, file.Stamp, CacheEntryOf(record.get()));
    return record;
}

void FontListing::Read(Job& job) {
    const std::vector<FontFileEntry> files = FontFilesIn(job.Folder);
    ListingBatch batch;
    batch.Total = files.size();
    // The count text shows the task before the first file is read.
    Deliver(job, ListingBatch{0, {}, 0, files.size(), false});

    FontNameBuffers names{};
    // Installed is never cached: the registry says it afresh every listing.
    const RegisteredFonts registered(job.Scope);
    listing::Pending pending;
    auto since = std::chrono::steady_clock::now();
    for (const FontFileEntry& file : files) {
        if (job.Cancelled)
            return;
        std::unique_ptr<FontDescr> record = CachedOrRead(file, names);
        ++batch.Read;
        ++pending.FilesRead;
        if (record) {
            record->Installed = registered.NamesFile(*record, job.Scope);
            batch.Records.push_back(std::move(record));
            ++pending.Records;
        }
        const auto now = std::chrono::steady_clock::now();
        pending.MillisSince = MillisBetween(since, now);
        if (listing::HandOverNow(pending)) {
            const std::size_t read = batch.Read;
            Deliver(job, std::move(batch));
            batch = ListingBatch{0, {}, read, files.size(), false};
            pending = {0, 0, pending.RecordHandedOver || pending.Records > 0, 0};
            since = now;
        }
    }
    if (job.Cancelled)
        return;
    batch.Done = true;
    Deliver(job, std::move(batch));
    // The window has every record; the cache is brought up to date after.
    // Files of the folder that are gone take their entries with them.
    std::vector<std::string> seen;
    seen.reserve(files.size());
    for (const FontFileEntry& file : files)
        seen.push_back(file.Path);
    const std::lock_guard<std::mutex> lock(cacheMutex_);
    cache_.DropMissing(job.Folder, seen);
    if (!cachePath_.empty() && cache_.Changed())
        SaveCacheLocked();
}

} // namespace nq
