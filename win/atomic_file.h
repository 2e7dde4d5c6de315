// Files read whole and replaced whole: a reader sees either the old content
// or the new one, never a mixture or a half-written file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace nq {

// The whole content of the file at path; nothing when it is missing, cannot
// be read, or holds more than maxBytes (so a huge file never becomes a huge
// allocation). Others may read the file meanwhile.
std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t maxBytes);

// For tests: a write that stops as on a full disk.
struct WriteFault {
    std::size_t FailAfterBytes = SIZE_MAX; // bytes written before the write fails
};

// The temporary file ReplaceFileContent writes first: path + ".tmp", in the
// same folder, so that the replacing rename stays on one volume.
std::wstring TemporaryPathFor(const std::wstring& path);

// Makes content the whole content of the file at path. It is written to the
// temporary file, flushed to the disk (FlushFileBuffers), and renamed over
// path with MoveFileExW (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH),
// one rename that either happened or did not. false when any step fails: then
// the file at path is as it was and the temporary file is gone. After a crash
// mid-write only the temporary file is incomplete; the next write replaces it.
// path may carry the "\\?\" prefix for paths over MAX_PATH.
bool ReplaceFileContent(const std::wstring& path, const std::string& content,
                        const WriteFault& fault = {});

} // namespace nq
