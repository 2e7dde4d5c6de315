// The listing of a collection, read on a worker thread so that the window
// keeps answering: the reader enumerates the folder, takes each file's record
// from the catalogue cache when the file has not changed since it was last
// read (and reads it otherwise), checks the registry afresh for every record,
// and hands whole records over in batches. The window's thread takes them
// when notified; a record is never shared while it is being built.
//
// One listing at a time: starting another, or cancelling, stops the running
// one between two files and joins its thread, and what it had queued is
// dropped. Batches are numbered by the listing (its generation) they belong to.
#pragma once

#include "catalogue_cache.h"
#include "font_catalogue.h"
#include "font_descr.h"
#include "font_scope.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nq {

// What a listing hands the window's thread.
struct ListingBatch {
    unsigned Generation = 0;
    std::vector<std::unique_ptr<FontDescr>> Records; // whole, Installed checked
    std::size_t Read = 0;                            // files of the folder read so far
    std::size_t Total = 0;                           // font files in the folder
    bool Done = false;                               // the last batch: every file was read
};

// Reads a font file's record without the registry (ReadFontFileNames); the
// seam through which tests see which files are opened.
using RecordReader =
    std::function<std::unique_ptr<FontDescr>(const std::string& path, FontNameBuffers& names)>;

class FontListing {
  public:
    // Called on the reader's thread whenever batches wait, with their
    // generation. It must not wait for the window's thread: the window posts
    // itself a message.
    using Notify = std::function<void(unsigned generation)>;

    FontListing();
    FontListing(const FontListing&) = delete;
    FontListing& operator=(const FontListing&) = delete;
    // Cancels the running listing.
    ~FontListing();

    // Keeps the catalogue cache in the file at path: loaded now (a missing,
    // short, corrupt or foreign file gives an empty cache, which replaces it),
    // written whole by the reader after the last batch of every listing that
    // changed it, and by SaveCache.
    void UseCacheFile(const std::wstring& path);
    // Writes the cache when it changed since it was loaded or last written
    // (a cancelled listing leaves what it read). No listing may run. False
    // when the write failed; the old file then stays.
    bool SaveCache();

    void SetReader(RecordReader reader) { reader_ = std::move(reader); }

    // Cancels the running listing and starts reading folder (ending in a
    // backslash); its batches are announced through notify. Returns its generation.
    unsigned Start(const std::string& folder, const FontScope& scope, Notify notify);
    // Stops the running listing at once: its thread is joined and nothing
    // more of it is handed over.
    void Cancel();
    // Blocks until the running listing has read every file and brought the
    // cache (and its file) up to date; its batches then wait to be taken.
    void Wait();
    // The batches of the current listing that wait, in order; those of an
    // older one are dropped. Taking the last batch ends the listing.
    std::vector<ListingBatch> TakeBatches();

    // A listing was started and its last batch has not been taken yet.
    bool Reading() const { return reading_; }
    // Files read, and font files in the folder, as far as the batches taken tell.
    std::size_t FilesRead() const { return read_; }
    std::size_t FilesTotal() const { return total_; }
    unsigned Generation() const;

    // The entries the cache holds (tests).
    std::size_t CachedFiles() const;

  private:
    struct Job;
    void Run(Job& job);
    void Read(Job& job);
    std::unique_ptr<FontDescr> CachedOrRead(const FontFileEntry& file, FontNameBuffers& names);
    void Deliver(Job& job, ListingBatch batch);
    void SaveCacheLocked();

    RecordReader reader_;

    mutable std::mutex cacheMutex_; // the reader and the window's thread share the cache
    catalogue::CatalogueCache cache_;
    std::wstring cachePath_;

    mutable std::mutex queueMutex_;
    unsigned generation_ = 0;
    std::vector<ListingBatch> queue_;

    std::unique_ptr<Job> job_;
    std::thread thread_;
    bool reading_ = false;
    std::size_t read_ = 0, total_ = 0;
};

} // namespace nq
