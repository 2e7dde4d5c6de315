// How a listing that reads its files on a worker thread reaches the fonts
// list: records handed over in batches, and the count text while it reads.
// Portable: no Windows calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace nq::listing {

// n in decimal with a comma between groups of three digits: "10,000".
std::string GroupedDigits(std::uint64_t n);

// The fonts bar's count text while a listing reads: "Reading 2,345 of 10,000".
std::string ReadingText(std::uint64_t read, std::uint64_t total);

// How long the reader keeps records before it hands them over, and how many
// it keeps at most. Each batch costs the window a pass over its rows and a
// repaint, so a few a second keep the rows and the count text moving without
// slowing the reading; records from the cache come fast, and a batch of the
// largest size is still taken in well under the time a key may wait.
constexpr std::uint64_t kHandoverIntervalMs = 200;
constexpr std::size_t kMaxBatchRecords = 2048;

// Where a reader stands since its last handover (or since it started).
struct Pending {
    std::size_t FilesRead = 0;     // files read since the last handover
    std::size_t Records = 0;       // records among them, waiting
    bool RecordHandedOver = false; // a record was handed over before
    std::uint64_t MillisSince = 0; // since the last handover
};

// Whether the reader hands over now. The first record goes at once, so that
// the first row shows without waiting for a batch; then a batch goes when
// kMaxBatchRecords wait or kHandoverIntervalMs passed with files read (so the
// count text moves through files that are no fonts too). Nothing read,
// nothing handed over.
bool HandOverNow(const Pending& pending);

} // namespace nq::listing
