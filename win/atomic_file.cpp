#include "atomic_file.h"

#include "handles.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace nq {

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

// Writes content, or as much of it as fault lets through; false on any short write.
bool WriteAll(HANDLE file, const std::string& content, const WriteFault& fault) {
    std::size_t done = 0;
    while (done < content.size()) {
        const std::size_t allowed = fault.FailAfterBytes > done ? fault.FailAfterBytes - done : 0;
        const std::size_t chunk = std::min({kChunkBytes, content.size() - done, allowed});
        if (chunk == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, static_cast<DWORD>(chunk), &written, nullptr) ||
            written != chunk)
            return false;
        done += chunk;
    }
    return true;
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t maxBytes) {
    // A save may rename a new file over this one while it is read.
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
        return std::nullopt;
    std::string content;
    try {
        content.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < content.size()) {
        const std::size_t chunk = std::min(kChunkBytes, content.size() - done);
        DWORD read = 0;
        if (!ReadFile(file.get(), content.data() + done, static_cast<DWORD>(chunk), &read,
                      nullptr) ||
            read == 0)
            return std::nullopt; // the file shrank or could not be read: not what was sized
        done += read;
    }
    return content;
}

std::wstring TemporaryPathFor(const std::wstring& path) {
    return path + L".tmp";
}

bool ReplaceFileContent(const std::wstring& path, const std::string& content,
                        const WriteFault& fault) {
    const std::wstring temporary = TemporaryPathFor(path);
    bool written = false;
    {
        const UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false; // another writer may hold it: leave it to that one
        // Flushed before the rename: a rename that reaches the disk before the
        // data would leave a cut file under the real name after a power loss.
        written = WriteAll(file.get(), content, fault) && FlushFileBuffers(file.get());
    }
    // One rename in the same folder. Unlike ReplaceFileW it needs no old file
    // (the first save), and it cannot stop halfway with the old file moved away.
    if (written && MoveFileExW(temporary.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    return false;
}

} // namespace nq
